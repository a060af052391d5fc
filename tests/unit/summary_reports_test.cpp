#include "summary/summary_reports.h"

#include <gtest/gtest.h>

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

TEST(SummaryTextReport, CutsLongNamesButWritesWideFiguresWhole) {
    CellGrid grid = SampleGrid();
    grid.SetTextMatrix(1, 0, QString(31, u'n') + "X");
    grid.SetTextMatrix(1, 1, "1,234,567,890,123,456");
    grid.SetTextMatrix(1, 2, "653,192,483,384");
    const QStringList lines = SummaryTextReport(grid, "host", QDateTime::currentDateTime());
    EXPECT_EQ(lines[3], QString(30, u'n') + " 1,234,567,890,123,456 653,192,483,384" +
                            QString(14, u' ') + "7");
}
