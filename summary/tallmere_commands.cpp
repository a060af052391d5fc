// Tallmere: the menu commands and the Close button.
#include <QDateTime>

#include "census/summary_reports.h"
#include "summary/tallmere.h"
#include "table/report_text.h"
#include "ui/app_context.h"
#include "ui/flex_grid.h"
#include "ui/save_report.h"

void Tallmere::mnuSaveAs_Click() {
    const CellGrid& grid = Grid1->Grid();
    const QString computer = context_.settings.ComputerName;
    SaveReportAs(this, *context_.services.saveDialog, *context_.services.messages,
                 context_.ProgramTitle, lastSaveName_,
                 ReportSources{[&] {
                                   return SummaryTextReport(grid, computer,
                                                            QDateTime::currentDateTime(),
                                                            state_.counting);
                               },
                               [&] { return CsvLines(grid); }},
                 SuggestedReportName(ReportSubject(state_.CurrentRoot), QDate::currentDate(),
                                     lastSaveName_));
}

void Tallmere::Exit_Click() {
    close();
}

void Tallmere::Command2_Click() {
    close();
}
