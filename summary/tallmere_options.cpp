// Tallmere: the options dialog and the chart of the summary.
#include "chart/frm_chart.h"
#include "common/flex_grid.h"
#include "settings/app_context.h"
#include "settings/frm_options.h"
#include "summary/tallmere.h"

// Confirmed options redraw the table from the totals it holds, in the new unit and form;
// nothing is walked again. A walk still running fills the table when it ends.
void Tallmere::mnuOptions_Click() {
    if (!ShowOptions(context_, this)) return;
    Grid1->Grid().SetCols(SummaryColumns(context_.settings));
    if (!ReloadSettings(context_, this)) {
        close();
        return;
    }
    SetupGrid(Grid1->Grid(), context_.settings, state_.columnChars);
    if (state_.SummaryReady) FillGrid();
}

void Tallmere::mnuChart_Click() {
    context_.ChartMode = kChartDirectories;
    frmChart chart(context_, Grid1->Grid(), this);
    chart.exec();
}
