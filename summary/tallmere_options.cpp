// Tallmere: the options dialog and the chart of the summary.
#include "census/summary_table.h"
#include "chart/frm_chart.h"
#include "drives/frm_quorvane.h"
#include "summary/directory_sizes.h"
#include "summary/tallmere.h"
#include "ui/app_context.h"
#include "ui/flex_grid.h"
#include "ui/frm_options.h"

// Confirmed options redraw the table from the totals it holds, in the new unit and form;
// nothing is walked again. A walk still running fills the table when it ends.
void Tallmere::mnuOptions_Click() {
    if (!ShowOptions(context_, this)) return;
    if (!ReloadSettings(context_, this)) {
        close();
        return;
    }
    RedrawForSettings();
    if (diskWindow_) diskWindow_->RedrawForSettings();
}

// The shared settings changed (here or in the disk window): the headings and the rows follow
// the new unit and form together, so the table never shows figures under another unit's name.
// Sizes that now count otherwise need a new walk.
void Tallmere::RedrawForSettings() {
    Grid1->Grid().SetCols(SummaryColumns(context_.settings));
    SetupGrid(Grid1->Grid(), context_.settings, state_.columnChars);
    if (!state_.SummaryReady) return;
    Excludes excludes = ExcludesOf(context_.settings);
    excludes += commandLineExcludes_;
    if (CountingOf(context_.settings) != state_.counting || excludes != state_.excludes) {
        SummarizeHistoryEntry(state_.CurrentRoot);
    } else if (context_.settings.ShowGrowth && !state_.base && !state_.snapshot) {
        Recompare(bases_);  // growth asked for now: the summary shown is compared at once
        ShowProgress(FinishedText());
    } else {
        FillGrid();
    }
}

void Tallmere::mnuChart_Click() {
    const Settings& settings = context_.settings;
    frmChart chart(DirectoriesPie(DirectorySizes(Grid1->Grid(), state_.data, settings),
                                  settings.Display, settings.ComputerName),
                   this);
    chart.exec();
}
