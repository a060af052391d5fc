#include "census/summary_reports.h"

#include <gtest/gtest.h>

#include "table/report_text.h"
#include "tests/support/sample_grid.h"

TEST(SummaryTextReport, CentresTheTitleAndPadsEveryColumn) {
    const QStringList lines =
        SummaryTextReport(SampleGrid(), "host", QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0].size(), 100);
    EXPECT_TRUE(lines[0].trimmed().startsWith("host Disk Utilization as of "));
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2],
              "Directory Name                    Total Files    Total Bytes     Total Dirs");
    EXPECT_EQ(lines[3].size(), 75);
    EXPECT_EQ(lines[3].mid(30, 15), "          1,234");
    EXPECT_EQ(lines[3].mid(45, 15), QString(15, u' '));
}

TEST(SummaryTextReport, WritesWideFiguresWhole) {
    CellGrid grid = SampleGrid();
    grid.SetTextMatrix(1, 1, "1,234,567,890,123,456");
    grid.SetTextMatrix(1, 2, "653,192,483,384");
    const QStringList lines = SummaryTextReport(grid, "host", QDateTime::currentDateTime());
    EXPECT_EQ(lines[3].mid(30), " 1,234,567,890,123,456 653,192,483,384" + QString(14, u' ') + "7");
}

TEST(SummaryTextReport, NamesKeepEveryCharacterAndTheFiguresStayInLine) {
    CellGrid grid = SampleGrid();
    grid.SetRows(5);
    const QString longName = QString(40, u'n') + "X";  // cut at 30 it would read as its twin
    grid.SetTextMatrix(1, 0, longName);
    grid.SetTextMatrix(2, 0, QString(40, u'n') + "Y");
    grid.SetTextMatrix(3, 0, "/srv/a\nGrand Total\x1b[2J");  // a forged total and a command
    grid.SetTextMatrix(4, 0, "Grand Total");
    for (int row = 1; row <= 4; ++row)
        grid.SetTextMatrix(row, 1, "5");
    const QStringList lines = SummaryTextReport(grid, "host", QDateTime::currentDateTime());
    ASSERT_EQ(lines.size(), 7);
    const QString forged = "'/srv/a'$'\\012''Grand Total'$'\\033''[2J'";
    EXPECT_TRUE(lines[3].startsWith(longName + ' '));
    EXPECT_TRUE(lines[4].startsWith(QString(40, u'n') + "Y "));
    EXPECT_TRUE(lines[5].startsWith(forged + ' '));
    EXPECT_TRUE(lines[6].startsWith("Grand Total "));
    const qsizetype nameWidth = longName.size();  // the longest name
    EXPECT_EQ(lines[2].indexOf("Total Files"), nameWidth + 4);
    for (int line = 3; line <= 6; ++line)
        EXPECT_EQ(lines[line].mid(nameWidth, 15), QString(14, u' ') + '5') << line;
    EXPECT_FALSE(ReportBytes(lines, ReportKind::Text).contains('\r'));
}
