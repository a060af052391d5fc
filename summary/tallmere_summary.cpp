// Tallmere: running a summary, sorting it and showing it.
#include <QCursor>
#include <QLineEdit>
#include <QPushButton>

#include "platform/directory_walk.h"
#include "summary/skipped_text.h"
#include "summary/tallmere.h"
#include "ui/app_context.h"
#include "ui/flex_grid.h"
#include "ui/screen_fit.h"

// The volumes of "My Computer" are surveyed on the worker: that may take a while.
void Tallmere::Summarize(const QByteArray& shownRoot, const StartPlaces& places) {
    ClearSummary();
    state_.counting = CountingOf(context_.settings);
    state_.excludes = ExcludesOf(context_.settings);
    state_.excludes += commandLineExcludes_;
    SetCaption(shownRoot);
    ShowProgress(ShownText(shownRoot));
    Text1->setToolTip({});  // what an earlier clear-archive walk could not do
    const int threads = scanThreads_;
    VolumeSource& volumes = *context_.services.volumes;
    scan_.Start<ScanResult>(
        [places, &volumes, threads, counting = state_.counting, excludes = state_.excludes,
         faults = hooks_.walkFaults](std::stop_token stop, WalkProgress& progress) {
            ScanRequest request = StartDirectories(places, volumes);
            request.counting = counting;
            request.excludes = excludes;
            request.faults = faults;
            return ScanDirectories(request, threads, stop, &progress);
        },
        [this](ScanResult result) { ScanFinished(std::move(result)); });
    progressTimer_.start();
    ShowStopButton(true);
}

void Tallmere::cmdStop_Click() {
    if (scan_.Running()) scan_.Interrupt();
}

void Tallmere::ShowStopButton(bool shown) {
    cmdStop->setVisible(shown);
    Form_Resize();
}

void Tallmere::ClearSummary() {
    state_.SummaryReady = false;
    ::ClearSummary(Grid1->Grid(), state_.data, context_.settings, state_.columnChars);
}

void Tallmere::ShowWalkProgress() {
    const WalkJob& walk = clearing_.Running() ? clearing_ : scan_;
    const QByteArray current = walk.CurrentDirectory();
    if (!current.isEmpty()) ShowProgress(ShownText(current));
}

void Tallmere::ScanFinished(ScanResult result) {
    progressTimer_.stop();
    ShowStopButton(false);
    state_.data.Record(std::move(result.rows));
    state_.complete = result.complete;
    state_.excluded = result.excluded;
    state_.SummaryReady = true;
    ShowProgress(FinishedText());
    SortRows();
    FillGrid();
    ShowEveryColumn();
    const bool cleared = ShowClearReport();
    SelectPendingRow();  // once the notes are written, which lay the grid out afresh
    RestoreView();
    if (cleared) emit ArchiveCleared();
    emit SummaryFinished();
}

// Only once: later the width is the user's. The window grows, never shrinks.
void Tallmere::ShowEveryColumn() {
    if (shownEveryColumn_) return;
    shownEveryColumn_ = true;
    const int missing = Grid1->WidthForAllColumns() - Grid1->width();
    if (missing <= 0) return;
    resize(width() + missing, height());
    FitOnScreen(*this);
}

void Tallmere::SelectPendingRow() {
    const CellGrid& grid = Grid1->Grid();
    for (int row = 1; !rowToSelect_.isEmpty() && row < grid.Rows(); ++row) {
        if (DirectoryOfRow(grid, row) == rowToSelect_) Grid1->SelectRow(row);
    }
    rowToSelect_.clear();
}

void Tallmere::SortRows() {
    if (state_.data.RowCount() != 1) {
        ShowProgress(QStringLiteral("Sorting ..."));
        if (!::SortRows(state_.data.Results, state_.data.RowOrder, state_.SortColumn,
                        state_.SortAscending)) {
            return;
        }
    }
    state_.LastSortColumn = state_.SortColumn;
    ShowProgress(FinishedText());
}

QString Tallmere::FinishedText() const {
    if (!state_.complete) return QString::fromLatin1(kStoppedText);
    return DoneText(state_.data.AllSkipped, state_.excluded);
}

void Tallmere::FillGrid() {
    state_.ShownRows =
        ::FillGrid(Grid1->Grid(), state_.data, context_.settings, state_.columnChars);
    Grid1->ShowSortIndicator(state_.SortColumn - 1, state_.SortAscending);
    ShowBackButton();
}

void Tallmere::ShowProgress(const QString& text) {
    Text1->setText(text);
    Text1->repaint();
}

void Tallmere::Grid1_MouseUp(int button, int /*shift*/, double x, double y) {
    if (!state_.SummaryReady) return;
    if (button == 1 && Grid1->RowPos(0) <= y && y <= Grid1->RowPos(Grid1->TopRow())) {
        HeaderClick(x);
    }
    if (button == 2) ShowGridPopup(y, QCursor::pos());
}

void Tallmere::HeaderClick(double x) {
    const CellGrid& grid = Grid1->Grid();
    for (int col = 0; col < grid.Cols(); ++col) {
        const double left = Grid1->ColPos(col);
        if (left <= x && x <= left + Grid1->ColWidthShown(col)) {
            state_.SortColumn = col + 1;
            state_.SortAscending =
                state_.SortColumn == state_.LastSortColumn ? !state_.SortAscending : true;
        }
    }
    SortRows();
    FillGrid();
}
