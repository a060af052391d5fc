// frmQuorvane: the table's popup, the Copy item array and the chart menu.
#include <QAction>
#include <QCursor>
#include <QDateTime>
#include <QMenu>
#include <cmath>

#include "chart/frm_chart.h"
#include "chart/frm_trend.h"
#include "drives/disk_charts.h"
#include "drives/disk_popup.h"
#include "drives/disk_reports.h"
#include "drives/frm_quorvane.h"
#include "drives/survey_history.h"
#include "drives/volume_trend.h"
#include "platform/program_launcher.h"
#include "platform/program_starts.h"
#include "table/report_text.h"
#include "ui/app_context.h"
#include "ui/desktop_dialogs.h"
#include "ui/menu_items.h"
#include "ui/user_messages.h"

void frmQuorvane::flxDisks_MouseUp(int button, int /*shift*/, double /*x*/, double y) {
    if (button == 2) ShowPopup(y, QCursor::pos());
}

void frmQuorvane::flxDisks_KeyboardPopup(double y, QPoint at) {
    ShowPopup(y, at);
}

// The Edit menu, with four more items while it pops up over the table. The drive row under the
// pointer (from the heading to the last drive: never the totals row) goes with the item chosen;
// Trend takes the totals row too.
void frmQuorvane::ShowPopup(double y, QPoint at) {
    const double twips = std::nearbyint(y);  // halves to even
    const int drive = flxDisks->RowUnder(0, memory_.HaveCnt - 2, twips);
    const int any = flxDisks->RowUnder(1, memory_.HaveCnt - 1, twips);
    PopupWithCopyItems(
        *Edit, kPopupCaptions,
        [this, drive, any](int index) {
            const auto command = static_cast<DiskPopupCommand>(index);
            Copy_Click(command, command == DiskPopupCommand::Trend ? any : drive);
        },
        [at](QMenu& menu) { menu.exec(at); });
}

void frmQuorvane::Copy_Click(DiskPopupCommand command, int row) {
    switch (command) {
        case DiskPopupCommand::Copy:
            context_.services.clipboard->SetText(ClipboardText(flxDisks->Grid()));
            break;
        case DiskPopupCommand::Explore:
            if (const QByteArray drive = MountPointOfRow(row); !drive.isEmpty())
                TellUser(context_, this, ExploreDirectory(*context_.services.launcher, drive));
            break;
        case DiskPopupCommand::Summarize:
            if (const QByteArray drive = MountPointOfRow(row); !drive.isEmpty())
                TellUser(context_, this,
                         StartSummaryProgram(*context_.services.launcher, LocateSummaryProgram(),
                                             SummaryArguments(drive)));
            break;
        case DiskPopupCommand::ChartSelection:
            mnuSelection_Click();
            break;
        case DiskPopupCommand::Trend:
            if (row >= 1) ShowTrend(row);
            break;
    }
}

QByteArray frmQuorvane::MountPointOfRow(int row) {
    if (row < 0) return {};
    CellGrid& grid = flxDisks->Grid();
    grid.SetRow(row);
    grid.SetCol(0);
    return grid.RowData(row);
}

void frmQuorvane::mnuSelection_Click() {
    ShowChart(SelectedDiskPie(rows_, flxDisks->Grid().RowSel(), context_.settings.ComputerName));
}

void frmQuorvane::mnuTrend_Click() {
    ShowTrend(flxDisks->Grid().RowSel());
}

void frmQuorvane::ShowTrend(int row) {
    HistoryStore history({HistoryStore::DefaultPath()});
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    TrendModel trend;
    if (row >= 1 && static_cast<std::size_t>(row) <= rows_.volumes.size()) {
        const VolumeRecord& record = rows_.volumes[static_cast<std::size_t>(row) - 1];
        trend = TrendOf(QString::fromLocal8Bit(record.volume.mountPoint),
                        SamplesOf(history, record), now);
    } else {
        trend = TrendOf(QString::fromLatin1(kTotalsLabel), TotalsSamplesOf(history, rows_), now);
    }
    frmTrend chart(trend, this);
    chart.exec();
}

void frmQuorvane::mnuChartAvailable_Click() {
    ShowColumnChart(kAvailCol);
}

void frmQuorvane::mnuChartUsed_Click() {
    ShowColumnChart(kUsedCol);
}

void frmQuorvane::mnuChartTotal_Click() {
    ShowColumnChart(kTotalCol);
}

void frmQuorvane::ShowColumnChart(DiskColumn column) {
    ShowChart(DiskColumnPie(rows_, column, context_.settings.ComputerName));
}

void frmQuorvane::ShowChart(PieModel pie) {
    frmChart chart(std::move(pie), this);
    chart.exec();
}
