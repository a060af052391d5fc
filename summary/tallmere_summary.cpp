// Tallmere: running a summary, sorting it and showing it.
#include <QCursor>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>

#include "census/history_report.h"
#include "census/skipped_text.h"
#include "platform/directory_walk.h"
#include "summary/tallmere.h"
#include "ui/app_context.h"
#include "ui/flex_grid.h"
#include "ui/screen_fit.h"

// The volumes of "My Computer" are surveyed on the worker: that may take a while. A visit of
// a saved snapshot reads it instead of walking.
void Tallmere::Summarize(const QByteArray& shownRoot, const StartPlaces& places) {
    ClearSummary();
    state_.counting = CountingOf(context_.settings);
    state_.excludes = ExcludesOf(context_.settings);
    state_.excludes += commandLineExcludes_;
    state_.snapshot.reset();
    if (windowBegan_ == 0) windowBegan_ = QDateTime::currentSecsSinceEpoch();
    SetCaption(shownRoot);
    ShowProgress(ShownText(shownRoot));
    Text1->setToolTip({});  // what an earlier clear-archive walk could not do
    auto done = [this](WindowSummary summary) { ScanFinished(std::move(summary)); };
    if (const qint64 id = state_.history.Current().snapshot) {
        const QByteArray folder = AbsoluteDirectory(places.directories.front());
        scan_.Start<WindowSummary>(
            [store = hooks_.history, id, folder](std::stop_token, WalkProgress&) {
                return ReadSnapshot(store, id, folder);
            },
            done);
    } else {
        const int threads = scanThreads_;
        VolumeSource& volumes = *context_.services.volumes;
        scan_.Start<WindowSummary>(
            [places, &volumes, threads, counting = state_.counting, excludes = state_.excludes,
             faults = hooks_.walkFaults, plan = PlanHistory(),
             began = QDateTime::currentSecsSinceEpoch()](std::stop_token stop,
                                                         WalkProgress& progress) {
                ScanRequest request = StartDirectories(places, volumes);
                request.counting = counting;
                request.excludes = excludes;
                request.faults = faults;
                return WalkWithHistory(std::move(request), plan, began, threads, stop, progress);
            },
            done);
    }
    walkClock_.start();
    progressTimer_.start();
    ShowStopButton(true);
}

HistoryPlan Tallmere::PlanHistory() const {
    const Settings& settings = context_.settings;
    return {settings.KeepHistory, settings.ShowGrowth, bases_, windowBegan_, hooks_.history};
}

bool Tallmere::GrowthShown() const {
    return context_.settings.ShowGrowth && state_.base.has_value();
}

void Tallmere::Recompare(const ComparisonBases& bases) {
    DropComparison(state_.data, state_.growths);
    HistoryStore store(hooks_.history);
    ComparedSummary compared;
    compared.data = std::move(state_.data);
    HistoryPlan plan = PlanHistory();
    plan.bases = bases;
    CompareSummary(store, plan, state_.countingKey, compared);
    state_.data = std::move(compared.data);
    state_.growths = std::move(compared.growths);
    state_.base = std::move(compared.base);
    state_.historyWarnings = std::move(compared.warnings);
    bases_ = std::move(compared.bases);
    SortRows();
    FillGrid();
}

int Tallmere::SortColumnShown() const {
    if (state_.SortColumn <= kLastField) return state_.SortColumn - 1;
    return SummaryColumns(context_.settings) + state_.SortColumn - kLastField - 1;
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
    if (current.isEmpty()) return;
    const WalkJob::Listed listed = walk.EntriesListed();
    ShowProgress(ShownText(current) +
                 EstimateText(listed.entries, listed.expected, walkClock_.elapsed() / 1000.0));
}

void Tallmere::ScanFinished(WindowSummary summary) {
    progressTimer_.stop();
    ShowStopButton(false);
    ComparedSummary& compared = summary.summary;
    state_.data = std::move(compared.data);
    state_.growths = std::move(compared.growths);
    state_.base = std::move(compared.base);
    state_.historyWarnings = std::move(compared.warnings);
    state_.countingKey = std::move(summary.counting);
    if (!summary.snapshot) bases_ = std::move(compared.bases);
    state_.snapshot = std::move(summary.snapshot);
    state_.complete = summary.complete;
    state_.excluded = summary.excluded;
    state_.SummaryReady = true;
    if (state_.snapshot) {  // counted as the snapshot was, whatever the options say now
        state_.counting.onDisk = state_.countingKey.startsWith("disk");
        state_.counting.linksOnce = state_.countingKey.contains("links-once");
        SetCaption(state_.CurrentRoot);
    }
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
        if (state_.SortColumn > kLastField) {  // the order stays while growth is not shown
            if (GrowthShown())
                SortByGrowth(state_.growths, state_.data.RowOrder, state_.SortColumn - kLastField,
                             state_.SortAscending);
        } else if (!::SortRows(state_.data.Results, state_.data.RowOrder, state_.SortColumn,
                               state_.SortAscending)) {
            return;
        }
    }
    state_.LastSortColumn = state_.SortColumn;
    ShowProgress(FinishedText());
}

// What the store said comes last, so the summary's own words are never lost.
QString Tallmere::FinishedText() const {
    QStringList words;
    if (state_.snapshot) {
        words << SnapshotText(*state_.snapshot);
    } else if (!state_.complete) {
        words << QString::fromLatin1(kStoppedText);
    } else {
        words << DoneText(state_.data.AllSkipped, state_.excluded);
        if (GrowthShown()) words << ComparedText(*state_.base);
    }
    return (words + state_.historyWarnings).join(u' ');
}

void Tallmere::FillGrid() {
    Grid1->Grid().SetCols(SummaryColumns(context_.settings));
    state_.ShownRows =
        ::FillGrid(Grid1->Grid(), state_.data, context_.settings, state_.columnChars);
    if (GrowthShown()) {
        ShowGrowthColumns(Grid1->Grid(), state_.data, state_.growths, context_.settings,
                          state_.columnChars);
    }
    Grid1->ShowSortIndicator(SortColumnShown(), state_.SortAscending);
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
            const int figures = SummaryColumns(context_.settings);
            state_.SortColumn = col < figures ? col + 1 : kLastField + 1 + col - figures;
            state_.SortAscending =
                state_.SortColumn == state_.LastSortColumn ? !state_.SortAscending : true;
        }
    }
    SortRows();
    FillGrid();
}
