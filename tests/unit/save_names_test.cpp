// The names a report is saved under, and the start folders a dialog's answer collects.
#include <gtest/gtest.h>
#include <QDate>

#include "census/summary_table.h"
#include "summary/entry.h"
#include "tests/support/qt_print.h"
#include "ui/save_report.h"

TEST(SaveNames, ANameWithoutExtensionTakesTheChosenFilters) {
    EXPECT_EQ(WithFilterExtension("/srv/report1", "*.txt"), "/srv/report1.txt");
    EXPECT_EQ(WithFilterExtension("report1", "*.csv"), "report1.csv");
    EXPECT_EQ(WithFilterExtension("/srv/report.CSV", "*.txt"), "/srv/report.CSV");
    EXPECT_EQ(WithFilterExtension("/srv/report.pdf", "*.txt"), "/srv/report.pdf");
    EXPECT_EQ(WithFilterExtension("/srv/v1.2/report", "*.txt"), "/srv/v1.2/report.txt")
        << "a dot in a folder's name is no extension";
    EXPECT_EQ(WithFilterExtension("/srv/report", ""), "/srv/report");
    EXPECT_EQ(WithFilterExtension("/srv/report", "*"), "/srv/report");
}

TEST(SaveNames, TheSuggestionNamesTheFolderAndTheDayInTheLastKind) {
    const QDate day(2026, 12, 8);
    EXPECT_EQ(SuggestedReportName("data", day, ""), "data 2026-12-08.txt");
    EXPECT_EQ(SuggestedReportName("data", day, "/srv/old.CSV"), "data 2026-12-08.csv");
    EXPECT_EQ(SuggestedReportName("My Computer", day, "/srv/old.txt"),
              "My Computer 2026-12-08.txt");
    EXPECT_EQ(SuggestedReportName("", day, ""), "report 2026-12-08.txt");
    EXPECT_EQ(ReportSubject("/srv/data"), "data");
    EXPECT_EQ(ReportSubject("/srv/data;/tmp"), "data");
    EXPECT_EQ(ReportSubject("/"), "root");
    EXPECT_EQ(ReportSubject("My Computer"), "My Computer");
    EXPECT_EQ(ReportSubject("/srv/caf\xc3\xa9"), QString::fromUtf8("caf\xc3\xa9"));
}

TEST(SaveNames, AFolderChosenInTheStartDialogIsOneMoreField) {
    EXPECT_EQ(WithFolderAppended("", "/srv"), "/srv");
    EXPECT_EQ(WithFolderAppended("/tmp", "/srv"), "/tmp;/srv");
    EXPECT_EQ(WithFolderAppended("/tmp;", "/srv"), "/tmp;/srv");
}
