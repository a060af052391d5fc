// Tallmere: running a summary, sorting it and showing it.
#include <QLineEdit>

#include "common/directory_walk.h"
#include "common/flex_grid.h"
#include "settings/app_context.h"
#include "summary/tallmere.h"

void Tallmere::Summarize(const QByteArray& spec) {
    VolumeSource& volumes = *context_.services.volumes;
    RunSummary(RootOfSpec(spec), [spec, &volumes] { return StartDirectories(spec, volumes); });
}

// One directory exactly as named, whatever ";" or blanks its name holds.
void Tallmere::SummarizeDirectory(const QByteArray& directory) {
    RunSummary(directory, [directory] { return DirectoryRequest(directory); });
}

// Request runs on the worker: surveying the volumes of "My Computer" may take a while.
void Tallmere::RunSummary(const QByteArray& shownRoot, std::function<ScanRequest()> request) {
    ClearSummary();
    ShowProgress(ShownText(shownRoot));
    const int threads = scanThreads_;
    scan_.Start<ScanResult>(
        [request = std::move(request), threads](std::stop_token stop, WalkProgress& progress) {
            return ScanDirectories(request(), threads, stop, &progress);
        },
        [this](ScanResult result) { ScanFinished(std::move(result)); });
    progressTimer_.start();
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
    state_.data.Record(std::move(result.rows));
    state_.SummaryReady = true;
    ShowProgress(QStringLiteral("Done!"));
    SortRows();
    FillGrid();
    emit SummaryFinished();
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
    ShowProgress(QStringLiteral("Done!"));
}

void Tallmere::FillGrid() {
    state_.ShownRows =
        ::FillGrid(Grid1->Grid(), state_.data, context_.settings, state_.columnChars);
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
    if (button == 2) ShowGridPopup(y);
}

void Tallmere::HeaderClick(double x) {
    const CellGrid& grid = Grid1->Grid();
    for (int col = 0; col < grid.Cols(); ++col) {
        const double left = Grid1->ColPos(col);
        if (left <= x && x <= left + grid.ColWidth(col)) {
            state_.SortColumn = col + 1;
            state_.SortAscending =
                state_.SortColumn == state_.LastSortColumn ? !state_.SortAscending : true;
        }
    }
    SortRows();
    FillGrid();
}
