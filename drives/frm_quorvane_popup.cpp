// frmQuorvane: the table's popup, the Copy item array and the chart menu.
#include <QAction>
#include <QCursor>
#include <QDateTime>
#include <QMenu>
#include <algorithm>
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

// The Edit menu, with three more items while it pops up over the table. The drive row under the
// pointer (from the heading to the last drive: never the totals row) goes with the item chosen.
void frmQuorvane::ShowPopup(double y, QPoint at) {
    const int row =
        flxDisks->RowUnder(0, memory_.HaveCnt - 2, std::nearbyint(y));  // halves to even
    PopupWithCopyItems(
        *Edit, kPopupCaptions,
        [this, row](int index) { Copy_Click(static_cast<DiskPopupCommand>(index), row); },
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
    HistoryStore history({HistoryStore::DefaultPath()});
    const auto surveysOf = [&](const VolumeRecord& record) {
        return SamplesOf(history.Surveys(record.volume.mountPoint));
    };
    const std::size_t row = static_cast<std::size_t>(std::max(flxDisks->Grid().RowSel(), 0));
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    TrendModel trend;
    if (row >= 1 && row <= rows_.volumes.size()) {
        const VolumeRecord& record = rows_.volumes[row - 1];
        trend = TrendOf(QString::fromLocal8Bit(record.volume.mountPoint), surveysOf(record), now);
    } else {
        std::vector<std::vector<VolumeSample>> volumes;
        for (const VolumeRecord& record : rows_.volumes)
            if (record.report.spaceKnown) volumes.push_back(surveysOf(record));
        trend = TrendOf(QString::fromLatin1(kTotalsLabel), SumOfVolumes(volumes), now);
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
