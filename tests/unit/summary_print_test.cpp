#include "summary/summary_print.h"

#include <gtest/gtest.h>

#include "tests/support/qt_print.h"

namespace {

const QString kTitle = "host Directory Utilization as of 07/12/2026 05:13:28";

Settings Display(const char* unit, bool shortDisplay = false) {
    Settings settings;
    settings.Display = unit;
    settings.ShortDisplay = shortDisplay;
    return settings;
}

// A filled summary grid of Names (rows 1..N) and "Grand Total"; the figure of column c in
// row r is "r.c", so every printed figure tells where it came from.
CellGrid Grid(const QStringList& names, int cols = 11) {
    CellGrid grid(static_cast<int>(names.size()) + 2, cols);
    for (int row = 1; row < grid.Rows(); ++row) {
        grid.SetTextMatrix(row, 0, row <= names.size() ? names[row - 1] : "Grand Total");
        for (int col = 1; col < cols; ++col)
            grid.SetTextMatrix(row, col, QString("%1.%2").arg(row).arg(col));
    }
    return grid;
}

QStringList Names(int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QString("/srv/d%1").arg(i);
    return names;
}

std::vector<PrintedPage> Pages(const CellGrid& grid, const Settings& settings = Display("KB")) {
    return SummaryPrintedPages(grid, grid.Rows() - 2, settings, kTitle);
}

QStringList Texts(const PrintedPage& page, std::size_t from = 0) {
    QStringList texts;
    for (std::size_t i = from; i < page.size(); ++i)
        texts << page[i].text;
    return texts;
}

constexpr std::size_t kHeaderLines = 5;

}  // namespace

TEST(SummaryPrint, EveryPageOpensWithTitleAndTwoHeadingLinesInBold) {
    const std::vector<PrintedPage> pages = Pages(Grid(Names(70)));
    ASSERT_EQ(pages.size(), 2u);
    for (const PrintedPage& page : pages) {
        ASSERT_GT(page.size(), kHeaderLines);
        EXPECT_EQ(page[0].text, QString(15, ' ') + kTitle);
        EXPECT_EQ(page[0].pointSize, 12);
        EXPECT_EQ(page[1].text, "");
        EXPECT_EQ(page[2].pointSize, 12);
        EXPECT_EQ(page[3].text, QString(25, ' ') + "  Total" + "          Total" + "   Total" +
                                    "      Hidden" + "      System" + "       Archive");
        EXPECT_EQ(page[4].text, "Directory Name           " + QString("  Files") +
                                    "             KB" + "    Dirs" + "          KB" +
                                    "          KB" + "            KB");
        for (std::size_t i = 0; i < kHeaderLines; ++i)
            EXPECT_TRUE(page[i].bold) << i;
        EXPECT_EQ(page[3].pointSize, 10);
        EXPECT_EQ(page[4].pointSize, 10);
    }
}

TEST(SummaryPrint, FullDisplayPrintsNameFilesSizeDirsAndTheThreeAttributeSizes) {
    const PrintedPage page = Pages(Grid({"/srv/a"}), Display("Bytes")).front();
    ASSERT_EQ(page.size(), kHeaderLines + 2);
    EXPECT_EQ(page[5].text, "/srv/a                   " + QString("    1.1") + "            1.2" +
                                "     1.3" + "         1.5" + "         1.8" + "          1.10");
    EXPECT_EQ(page[5].text.size(), 93);
    EXPECT_TRUE(page[4].text.endsWith("         Bytes"));
    EXPECT_EQ(page[6].text.left(25), "Grand Total" + QString(14, ' '));
    EXPECT_EQ(page[5].pointSize, 10);
}

TEST(SummaryPrint, ShortDisplayPrintsTheFirstFourColumnsWithTheSameHeadings) {
    const PrintedPage page = Pages(Grid({"/srv/a"}, 4), Display("MB", true)).front();
    EXPECT_EQ(page[3].text, QString(25, ' ') + "  Total" + "          Total" + "   Total");
    EXPECT_EQ(page[4].text,
              "Directory Name           " + QString("  Files") + "             MB" + "    Dirs");
    EXPECT_EQ(page[5].text,
              "/srv/a                   " + QString("    1.1") + "            1.2" + "     1.3");
    EXPECT_EQ(page[5].text.size(), 55);
}

TEST(SummaryPrint, SixtyBodyLinesFillAPageAndTheNextLineStartsANewOne) {
    // 59 directories and the total: exactly one full page, no page of headings alone after it.
    std::vector<PrintedPage> pages = Pages(Grid(Names(59)));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].size(), kHeaderLines + 60);
    EXPECT_TRUE(pages[0].back().text.startsWith("Grand Total"));

    pages = Pages(Grid(Names(60)));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), kHeaderLines + 60);
    EXPECT_TRUE(pages[0].back().text.startsWith("/srv/d60 "));
    EXPECT_EQ(Texts(pages[1]).mid(0, 5), Texts(pages[0]).mid(0, 5));
    ASSERT_EQ(pages[1].size(), kHeaderLines + 1);
    EXPECT_TRUE(pages[1].back().text.startsWith("Grand Total"));
}

TEST(SummaryPrint, LongNamesGoOnOverContinuationLinesUpTo300Characters) {
    const QString exact(25, 'a');
    const QString oneOver = QString(25, 'b') + "B";
    QString longest;
    for (int i = 0; i < 320; ++i)
        longest += QChar('a' + i % 26);
    const PrintedPage page = Pages(Grid({exact, oneOver, longest})).front();
    const QStringList body = Texts(page, kHeaderLines);
    ASSERT_EQ(body.size(), 1 + 2 + 12 + 1);
    EXPECT_TRUE(body[0].startsWith(exact + "    1.1"));
    EXPECT_TRUE(body[1].startsWith(QString(25, 'b') + "    2.1"));
    EXPECT_EQ(body[2], "B");
    EXPECT_EQ(body[3].left(25), longest.left(25));
    EXPECT_EQ(body.mid(4, 11).join(""), longest.mid(25, 275));
    EXPECT_EQ(body[14], longest.mid(275, 25));
    EXPECT_TRUE(body[15].startsWith("Grand Total"));
}

TEST(SummaryPrint, LongPathsBreakAfterASlashAndNamesLongerThanALineWhereTheyMust) {
    const QString path = "/srv/projects/alpha-reports/2024/quarterly-summaries/final";
    const QString longFolder = "/srv/" + QString(30, 'x') + "/end";
    const QString forged = "/srv/a\nGrand Total";
    const PrintedPage page = Pages(Grid({path, longFolder, forged})).front();
    const QStringList body = Texts(page, kHeaderLines);
    ASSERT_EQ(body.size(), 3 + 3 + 2 + 1);
    EXPECT_TRUE(body[0].startsWith("/srv/projects/" + QString(11, ' ') + "    1.1"));
    EXPECT_EQ(body.mid(1, 2), (QStringList{"alpha-reports/2024/", "quarterly-summaries/final"}));
    EXPECT_TRUE(body[3].startsWith("/srv/" + QString(20, ' ') + "    2.1"));
    EXPECT_EQ(body.mid(4, 2), (QStringList{QString(25, 'x'), "xxxxx/end"}));
    // A line feed in a name is written, escaped, on the name's own lines.
    EXPECT_TRUE(body[6].startsWith("'/srv/" + QString(19, ' ') + "    3.1"));
    EXPECT_EQ(body[7], "a'$'\\012''Grand Total'");
}

TEST(SummaryPrint, ContinuationLinesCountAsBodyLinesAcrossThePageBreak) {
    QStringList names = Names(58);
    names << QString(25, 'x') + QString(60, 'y');  // line 59, continued on 60, 61 and 62
    const std::vector<PrintedPage> pages = Pages(Grid(names));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), kHeaderLines + 60);
    EXPECT_EQ(pages[0].back().text, QString(25, 'y'));
    EXPECT_EQ(Texts(pages[1], kHeaderLines),
              (QStringList{QString(25, 'y'), QString(10, 'y'), pages[1].back().text}));
    EXPECT_EQ(pages[1][0].text, pages[0][0].text);
}

TEST(SummaryPrint, OnlyTheGrandTotalAndItsContinuationsAreBold) {
    CellGrid grid = Grid(Names(2));
    grid.SetTextMatrix(3, 0, "Grand Total of a name long enough to continue");
    const PrintedPage page = Pages(grid).front();
    ASSERT_EQ(page.size(), kHeaderLines + 4);
    EXPECT_FALSE(page[5].bold);
    EXPECT_FALSE(page[6].bold);
    EXPECT_TRUE(page[7].bold);
    EXPECT_TRUE(page[8].bold);
    EXPECT_EQ(page[8].text, "g enough to continue");
}

TEST(SummaryPrint, AFigureWiderThanItsColumnIsPrintedWhole) {
    CellGrid grid = Grid({"/srv/a"});
    grid.SetTextMatrix(1, 1, "12,345,678");  // 10 characters in the 7 of Total Files
    grid.SetTextMatrix(1, 2, "  1,024  ");   // blanks around a cell are not printed
    const QString line = Pages(grid).front()[5].text;
    EXPECT_EQ(line.mid(25, 10 + 15), "12,345,678" + QString(10, ' ') + "1,024");
    EXPECT_EQ(line.size(), 93 + 3);
}

TEST(SummaryPrint, TitleNamesTheComputerAndTheDirectories) {
    const QString title = SummaryPrintTitle("host", QDateTime(QDate(2026, 7, 12), QTime(5, 13)));
    EXPECT_TRUE(title.startsWith("host Directory Utilization as of ")) << title.toStdString();
    EXPECT_TRUE(title.contains("13")) << title.toStdString();
}
