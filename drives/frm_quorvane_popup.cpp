// frmQuorvane: the table's popup, the Copy item array and the chart menu.
#include <QAction>
#include <QCursor>
#include <QMenu>
#include <cmath>

#include "chart/frm_chart.h"
#include "drives/disk_charts.h"
#include "drives/disk_popup.h"
#include "drives/disk_reports.h"
#include "drives/frm_quorvane.h"
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

// The Edit menu, with three more items while it pops up over the table.
void frmQuorvane::ShowPopup(double y, QPoint at) {
    context_.PopupY = static_cast<int>(std::nearbyint(y));  // halves go to the even twip
    PopupWithCopyItems(
        *Edit, kPopupCaptions, [this](int index) { Copy_Click(index); },
        [at](QMenu& menu) { menu.exec(at); });
}

void frmQuorvane::Copy_Click(int index) {
    switch (index) {
        case 0:
            context_.services.clipboard->SetText(ClipboardText(flxDisks->Grid()));
            break;
        case 1:
            if (const QByteArray drive = PopupMountPoint(); !drive.isEmpty())
                TellUser(context_, this, ExploreDirectory(*context_.services.launcher, drive));
            break;
        case 2:
            if (const QByteArray drive = PopupMountPoint(); !drive.isEmpty())
                TellUser(context_, this,
                         StartSummaryProgram(*context_.services.launcher, LocateSummaryProgram(),
                                             SummaryArguments(drive)));
            break;
        case 3:
            mnuSelection_Click();
            break;
    }
}

// The mount point of the drive row under the popup, made the current cell; empty when the
// popup was on the heading, the totals row or below the table.
QByteArray frmQuorvane::PopupMountPoint() {
    // From the heading to the last drive row: the totals row is never hit.
    const int row = flxDisks->RowUnder(0, memory_.HaveCnt - 2, context_.PopupY);
    if (row < 0) return {};
    CellGrid& grid = flxDisks->Grid();
    grid.SetRow(row);
    grid.SetCol(0);
    return grid.RowData(row);
}

void frmQuorvane::mnuSelection_Click() {
    ShowChart(SelectedDiskPie(rows_, flxDisks->Grid().RowSel(), context_.settings.ComputerName));
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
