#include "census/summary_table.h"
#include "summary/directory_sizes.h"

#include <gtest/gtest.h>

#include "census/history_report.h"
#include "census/summary_reports.h"
#include "chart/pie_model.h"
#include "table/number_mask.h"
#include "table/report_text.h"

namespace {

Settings Unit(const char* display, bool shortDisplay = false) {
    Settings settings;
    settings.Display = display;
    settings.Unit = UnitOf(settings.Display).value_or(SizeUnit::Bytes);
    settings.ShortDisplay = shortDisplay;
    return settings;
}

struct Table {
    CellGrid grid;
    SummaryData data;
    ColumnChars chars{};
    int shown = 0;

    explicit Table(const Settings& settings, std::vector<DirectoryRecord> rows = {}) {
        grid.SetCols(SummaryColumns(settings));
        SetupGrid(grid, settings, chars);
        ClearSummary(grid, data, settings, chars);
        data.Record(std::move(rows));
        shown = FillGrid(grid, data, settings, chars);
    }
};

DirectoryRecord Record(const char* path, Figure files, Figure bytes) {
    DirectoryRecord record{path, {}, {}};
    record.counts.Files = files;
    record.counts.Bytes = bytes;
    record.counts.Dirs = 1;
    return record;
}

}  // namespace

TEST(SummaryTable, AVolumesOwnRowKeepsItsSlashInTheGridReportsAndChart) {
    DirectoryRecord volume = Record("/home/", 1, 10);
    volume.volume = true;
    const Table table(Unit("Bytes"), {Record("/", 1, 5), Record("/home/", 2, 20), volume});
    EXPECT_EQ(table.grid.TextMatrix(2, 0), "/home");
    EXPECT_EQ(table.grid.TextMatrix(3, 0), "/home/");
    EXPECT_EQ(DirectoryOfRow(table.grid, 3), "/home/");
    EXPECT_EQ(CsvLines(table.grid)[3].section(u',', 0, 0), "/home/");
    const QStringList text = SummaryTextReport(table.grid, "host", QDateTime::currentDateTime());
    EXPECT_TRUE(text[5].startsWith("/home/ "));
    const PieModel pie =
        DirectoriesPie(DirectorySizes(table.grid, table.data, Unit("Bytes")), "Bytes", "host");
    EXPECT_EQ(pie.wedges[1].label, "/home (20 Bytes)");
    EXPECT_EQ(pie.wedges[2].label, "/home/ (10 Bytes)");
    EXPECT_EQ(pie.wedges[2].value, 10);
}

TEST(SummaryTable, HeadingsNameTheUnitInBothForms) {
    EXPECT_EQ(HeaderString(Unit("KB", true)), "<Directory Name|>Total Files|>Total KB|>Total Dirs");
    EXPECT_EQ(HeaderString(Unit("MB")),
              "<Directory Name|>Total Files|>Total MB|>Total Dirs|>Hidden Files|>Hidden MB|"
              ">Hidden Dirs|>System Files|>System MB|>Archive Files|>Archive MB");
    const Table full(Unit("MB"));
    EXPECT_EQ(full.grid.Cols(), 11);
    EXPECT_EQ(full.grid.TextMatrix(0, 10), "Archive MB");
    EXPECT_EQ(full.grid.ColAlignment(0), CellAlign::Left);
    EXPECT_EQ(full.grid.ColAlignment(5), CellAlign::Right);
    EXPECT_EQ(full.grid.RowHeight(0), 480);
}

TEST(SummaryTable, RowsThenGrandTotalWithMaskedFigures) {
    const Table table(Unit("KB"),
                      {Record("/srv/a/", 2, 1536), Record("/srv/a/b/", 0, 0), Record("/", 1, 307)});
    EXPECT_EQ(table.shown, 3);
    EXPECT_EQ(table.grid.Rows(), 5);
    EXPECT_EQ(RowTexts(table.grid, 1).mid(0, 4), (QStringList{"/srv/a", "2", "1.5", "1"}));
    EXPECT_EQ(RowTexts(table.grid, 2).mid(0, 4), (QStringList{"/srv/a/b", "", " ", "1"}));
    EXPECT_EQ(table.grid.TextMatrix(3, 0), "/");
    EXPECT_EQ(RowTexts(table.grid, 4).mid(0, 4), (QStringList{"Grand Total", "3", "1.8", "3"}));
    EXPECT_EQ(table.grid.TextMatrix(4, 5), " ");  // hidden KB of nothing
    EXPECT_EQ(table.grid.TextMatrix(4, 4), "");   // hidden files: none
    EXPECT_EQ(DirectoryOfRow(table.grid, 2), "/srv/a/b");
    EXPECT_EQ(DirectoryOfRow(table.grid, 4), "");
}

TEST(SummaryTable, FiguresPastTwoToTheSixtyFourShowEveryDigitInEachUnit) {
    const Figure most = kMost64;
    const Figure odd = (Figure{1} << 53) + 1;
    const std::vector<DirectoryRecord> rows{Record("/a/", 1, most), Record("/b/", odd, most)};
    const Table bytes(Unit("Bytes"), rows);
    EXPECT_EQ(bytes.grid.TextMatrix(1, 2), "18,446,744,073,709,551,615");
    EXPECT_EQ(bytes.grid.TextMatrix(2, 1), "9,007,199,254,740,993");
    EXPECT_EQ(RowTexts(bytes.grid, 3).mid(0, 3),
              (QStringList{"Grand Total", "9,007,199,254,740,994", "36,893,488,147,419,103,230"}));
    EXPECT_EQ(bytes.grid.ColWidth(2), 26 * 150);
    const Table kilobytes(Unit("KB"), rows);
    EXPECT_EQ(kilobytes.grid.TextMatrix(3, 2), "36,028,797,018,963,968.0");
    const Table megabytes(Unit("MB"), {Record("/odd/", 1, odd * 1048576 + 1048576 / 10)});
    EXPECT_EQ(megabytes.grid.TextMatrix(1, 2), "9,007,199,254,740,993.1");
}

TEST(SummaryTable, ColumnsWidenToTheLongestCellButNeverBelowTheirMinimum) {
    const QByteArray longName = "/srv/a-directory-with-a-long-name/";
    const Table table(Unit("Bytes"), {Record(longName, 1234567, 9876543210)});
    EXPECT_EQ(table.grid.ColWidth(0), (longName.size() - 1) * 150);
    EXPECT_EQ(table.grid.ColWidth(1), 9 * 150);   // "1,234,567"
    EXPECT_EQ(table.grid.ColWidth(2), 13 * 150);  // "9,876,543,210"
    EXPECT_EQ(table.grid.ColWidth(3), 5 * 150);
    EXPECT_EQ(table.grid.ColWidth(10), 7 * 150);
    const Table empty(Unit("Bytes"));
    EXPECT_EQ(empty.shown, 0);
    EXPECT_EQ(empty.grid.Rows(), 2);
    EXPECT_EQ(empty.grid.TextMatrix(1, 0), "Grand Total");
    EXPECT_EQ(empty.grid.ColWidth(0), 14 * 150);
}

TEST(SummaryTable, ShortDisplayKeepsFourColumnsAndNamesKeepTheirBytes) {
    const QByteArray odd = "/srv/caf\xe9/";  // Latin-1, not UTF-8
    const Table table(Unit("Bytes", true), {Record(odd, 1, 1)});
    EXPECT_EQ(table.grid.Cols(), 4);
    EXPECT_EQ(table.grid.TextMatrix(1, 0), QString::fromUtf8("/srv/caf\xef\xbf\xbd"));
    EXPECT_EQ(DirectoryOfRow(table.grid, 1), "/srv/caf\xe9");
}

TEST(SummaryTable, ClearSummaryLeavesTheHeadingAndOneEmptyRow) {
    Table table(Unit("Bytes"), {Record("/a/", 1, 1)});
    ClearSummary(table.grid, table.data, Unit("Bytes"), table.chars);
    EXPECT_EQ(table.grid.Rows(), 2);
    EXPECT_EQ(table.grid.TextMatrix(0, 0), "Directory Name");
    EXPECT_EQ(table.grid.TextMatrix(1, 0), "");
    EXPECT_EQ(table.data.RowCount(), 0);
}

// Growth shows even when nothing grew: every growth cell is empty then, and the columns would
// otherwise have no width at all.
TEST(SummaryTable, GrowthColumnsShowWhenNothingGrewAndMarkNewFolders) {
    const Settings settings = Unit("Bytes");
    Table table(settings, {Record("/srv/", 1, 10), Record("/srv/new/", 1, 5)});
    const RowGrowths growths = {RowGrowth{0, 0, Change::Same}, RowGrowth{5, 1, Change::New}};
    ShowGrowthColumns(table.grid, table.data, growths, settings, table.chars);
    ASSERT_EQ(table.grid.Cols(), 13);
    EXPECT_EQ(table.grid.TextMatrix(1, 11), "");
    EXPECT_EQ(table.grid.TextMatrix(2, 0), "/srv/new (new)");
    EXPECT_EQ(table.grid.ColWidth(11), 7 * 150);
    EXPECT_EQ(table.grid.ColWidth(12), 7 * 150);
}
