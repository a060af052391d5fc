// Tallmere: Print, Copy Grid, Free Space, Help Contents, About, and closing the other windows.
#include <QAction>
#include <QDateTime>

#include "drives/frm_quorvane.h"
#include "summary/summary_print.h"
#include "summary/tallmere.h"
#include "table/report_text.h"
#include "ui/app_context.h"
#include "ui/desktop_dialogs.h"
#include "ui/flex_grid.h"
#include "ui/my_info.h"
#include "ui/printed_report.h"

// While a walk runs the grid holds no summary to print.
void Tallmere::mnuPrint_Click() {
    if (!state_.SummaryReady) return;
    const CellGrid& grid = Grid1->Grid();
    PrintJob job;
    job.fontMissingText = QString::fromLatin1(kSummaryFontMissing);
    job.pages = [&] {
        const QString title =
            SummaryPrintTitle(context_.settings.ComputerName, QDateTime::currentDateTime());
        return SummaryPrintedPages(grid, state_.ShownRows, context_.settings, title);
    };
    PrintReport(this, *context_.services.printDialog, *context_.services.messages,
                context_.ProgramTitle, job);
}

void Tallmere::Edit_Click() {
    Copy->setVisible(true);
}

// "&Copy Grid": every cell of every row, a TAB after each cell and a CR after each row.
void Tallmere::CopyGrid() {
    const CellGrid& grid = Grid1->Grid();
    context_.services.clipboard->SetText(ClipboardText(grid));
}

// One disk window, beside this one and modeless; closing it leaves the program running.
void Tallmere::FreeSpace_Click() {
    if (!diskWindow_) {
        diskWindow_ = new frmQuorvane(context_, this);
        connect(diskWindow_, &frmQuorvane::SettingsReloaded, this, &Tallmere::RedrawForSettings);
    }
    diskWindow_->Open();
}

void Tallmere::mnuContents_Click() {
    help_.ShowContents();
}

// One about box, modeless, so the summary stays usable beside it.
void Tallmere::About_Click() {
    if (!about_) {
        about_ = new MyInfo(context_.DebugMode, this);
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void Tallmere::Image1_Click() {
    About_Click();
}

void Tallmere::CloseOwnWindows() {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) child->close();
    }
}
