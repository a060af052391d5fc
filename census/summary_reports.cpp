#include "census/summary_reports.h"

#include "table/report_text.h"

namespace {

// The name in 30 characters or as many as the longest takes, every figure right-justified in 15,
// so each heading fits whole; the two growth columns too, when a comparison adds them.
std::vector<ReportColumn> SummaryLayout() {
    std::vector<ReportColumn> layout{{30, QStringLiteral("l"), 0, true}};
    for (int col = 1; col <= 12; ++col)
        layout.push_back({15, QStringLiteral("r"), 0});
    return layout;
}

}  // namespace

QStringList SummaryTextReport(const CellGrid& grid, const QString& computerName,
                              const QDateTime& when, const SizeCounting& counting) {
    const QString title =
        ReportTitle(computerName, QString::fromLatin1(kDiskUtilizationCaption), when) +
        CountingSuffix(counting);
    return TextReportLines(grid, title, SummaryLayout());
}

QString CountingSuffix(const SizeCounting& counting) {
    QStringList notes;
    if (counting.onDisk) notes << QStringLiteral("space on disk");
    if (counting.linksOnce) notes << QStringLiteral("hard links once");
    return notes.isEmpty() ? QString()
                           : QStringLiteral(" (%1)").arg(notes.join(QStringLiteral(", ")));
}
