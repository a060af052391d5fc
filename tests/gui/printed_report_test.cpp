#include "ui/printed_report.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "tests/support/fakes.h"
#include "tests/support/pdf_tool.h"
#include "tests/support/qt_print.h"

namespace {

class PrintedReport : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        dialog.pdfPath = folder.filePath("report.pdf");
        job.fontMissingText = "Sorry, no font";
        job.pages = [] { return std::vector<PrintedPage>{{{"Title", 12, true}}}; };
    }
    void Print() { PrintReport(nullptr, dialog, messages, "Quorvane32", job); }

    QTemporaryDir folder;
    FakePrintDialog dialog;
    FakeMessages messages;
    PrintJob job;
};

TEST_F(PrintedReport, CourierNewResolvesToAFixedPitchFace) {
    EXPECT_TRUE(FixedPitchFontPresent(kReportFont));
    EXPECT_FALSE(FixedPitchFontPresent("No Such Family Qx"));
}

TEST_F(PrintedReport, PrintsInTheFixedPitchFamilyAndRunsOnToANewPage) {
    job.pages = [] {
        PrintedPage page(150, {"line", 12, false});
        page.front() = {"Title line", 12, true};
        return std::vector<PrintedPage>{page};
    };
    Print();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(PdfTool("pdftotext", dialog.pdfPath).contains("Title line"));
    EXPECT_TRUE(PdfTool("pdfinfo", dialog.pdfPath).contains(QRegularExpression("Pages: +[23]\n")));
    const QString fonts = PdfTool("pdffonts", dialog.pdfPath);
    EXPECT_TRUE(fonts.contains("LiberationMono-Bold") || fonts.contains("CourierNew"))
        << fonts.toStdString();
}

TEST_F(PrintedReport, CharactersTheFontLacksKeepTheColumnsAfterThemInLine) {
    // U+FFFD (a name's bytes that are not UTF-8) is not in the fixed-pitch face: it comes from
    // a wider one.
    job.pages = [] {
        const QString twoOdd = QString::fromUtf8("\xff\xfe");  // two replacement characters
        return std::vector<PrintedPage>{{{twoOdd + "ab      7", 10, false},
                                         {"abcd      8", 10, false},
                                         {twoOdd + twoOdd + "      9", 10, true}}};
    };
    Print();
    const QString words = PdfTool("pdftotext", dialog.pdfPath, {"-bbox"});
    QList<double> starts;
    // pdftotext -bbox writes each word as <word xMin="72.000000" ...>7</word>.
    static const QRegularExpression word("<word xMin=\"([0-9.]+)\"[^>]*>[789]</word>");
    for (const QRegularExpressionMatch& match : word.globalMatch(words))
        starts << match.captured(1).toDouble();
    ASSERT_EQ(starts.size(), 3) << words.toStdString();
    EXPECT_NEAR(starts[0], starts[1], 0.1);
    EXPECT_NEAR(starts[2], starts[1], 0.1);
}

TEST_F(PrintedReport, CancelOrMissingFontPrintsNothing) {
    dialog.accept = false;
    Print();
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_TRUE(messages.shown.empty());

    dialog.accept = true;
    job.family = "No Such Family Qx";
    Print();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], std::make_pair(QString("Quorvane32"), job.fontMissingText));
    EXPECT_FALSE(QFile::exists(dialog.pdfPath));
}

}  // namespace
