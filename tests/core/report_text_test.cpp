#include "table/report_text.h"

#include <gtest/gtest.h>

#include "tests/support/sample_grid.h"

TEST(KindOfReportFile, LooksAtTheFileNamesOwnExtensionInAnyCase) {
    EXPECT_EQ(KindOfReportFile("/home/ann/report.TXT"), ReportKind::Text);
    EXPECT_EQ(KindOfReportFile("/home/ann/report.Csv"), ReportKind::Csv);
    EXPECT_EQ(KindOfReportFile("/home/ann/.config/dirs.txt"), ReportKind::Text);
    EXPECT_EQ(KindOfReportFile("/srv/reports.old/dirs.2024.txt"), ReportKind::Text);
    EXPECT_EQ(KindOfReportFile("/srv/reports.txt/dirs"), ReportKind::Unknown);
    EXPECT_EQ(KindOfReportFile("/srv/dirs"), ReportKind::Unknown);
    EXPECT_EQ(KindOfReportFile("/srv/dirs.pdf"), ReportKind::Unknown);
}

TEST(CsvLines, QuotesCellsWithCommasQuotesAndLineBreaksAndNeverEndsWithAComma) {
    EXPECT_EQ(
        CsvLines(SampleGrid()),
        (QStringList{"Directory Name,Total Files,Total Bytes,Total Dirs",
                     "\"/srv/a \"\"quoted\"\" dir\",\"1,234\",,7", "Grand Total,\"1,234\",,7"}));
    EXPECT_EQ(CsvLine({"a\nb", "c\rd", "tab\there", "plain"}), "\"a\nb\",\"c\rd\",tab\there,plain");
}

TEST(ReportBytes, EndsEveryLineWithALineFeedOnLinux) {
    EXPECT_EQ(ReportBytes({"a", ""}), QByteArray("a\n\n"));
    EXPECT_EQ(ReportBytes({QString::fromUtf8("\xc3\xa9")}), QByteArray("\xc3\xa9\n"));
}

TEST(ClipboardText, PutsATabAfterEveryCellAndALineFeedAfterEveryRow) {
    EXPECT_EQ(ClipboardText(SampleGrid()),
              "Directory Name\tTotal Files\tTotal Bytes\tTotal Dirs\t\n"
              "/srv/a \"quoted\" dir\t1,234\t\t7\t\n"
              "Grand Total\t1,234\t\t7\t\n");
}
