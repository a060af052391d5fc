// Tallmere: moving between summaries in place: drill-down, Back and New.
#include <QPushButton>
#include <algorithm>
#include <utility>

#include "summary/tallmere.h"
#include "ui/app_context.h"
#include "ui/flex_grid.h"
#include "ui/twips.h"
#include "ui/user_messages.h"

namespace {

constexpr int kBackButtonLeft = 250;  // twips

}  // namespace

// A new summary waits for the one being made and for a clear-archive walk.
bool Tallmere::CanStartSummary() const {
    return state_.SummaryReady && !clearing_.Running();
}

void Tallmere::Grid1_DblClick() {
    if (!CanStartSummary()) return;
    CellGrid& grid = Grid1->Grid();
    const int row = grid.RowSel();
    const QByteArray directory = DirectoryOfRow(grid, row);
    if (directory.isEmpty()) return;  // the heading or "Grand Total"
    grid.SetRow(row);
    grid.SetCol(0);
    StartPlaces places = PlacesOfDirectory(directory);
    places.stayOnVolume = state_.history.Current().places.stayOnVolume;
    if (!state_.history.Push(Visit{directory, places, state_.history.Current().snapshot})) {
        ShowProgress(QStringLiteral("History full: go back before drilling down further"));
        return;
    }
    SummarizeHistoryEntry(directory);
}

// The folder left becomes the current row again.
void Tallmere::cmdBack_Click() {
    if (!CanStartSummary()) return;
    const QByteArray left = state_.history.Current().root;
    if (!state_.history.Back()) return;
    rowToSelect_ = left;
    Grid1->Grid().SetCol(0);
    SummarizeHistoryEntry(state_.history.Current().root);
}

// The answer is taken as typed: neither trimmed nor read as "." or an empty "My Computer".
// One holding nothing but separators and blanks is the empty answer, which like Cancel leaves
// the summary shown as it is.
void Tallmere::NewSum_Click() {
    if (!CanStartSummary()) return;
    QByteArray answer = hooks_.AskStartDirectory(this);
    const StartPlaces places = PlacesOfSpec(answer);
    if (!places.myComputer && places.directories.empty()) return;
    if (!answer.endsWith('/')) answer += '/';
    const QByteArray root = RootOfSpec(answer);
    state_.history.Reset(Visit{root, places});
    bases_ = {};  // chosen again when this summary completes
    windowBegan_ = 0;
    SummarizeHistoryEntry(root);
}

// A new chain, as New starts one, read from the store; the bases stay for the next walk.
void Tallmere::mnuOpenSnapshot_Click() {
    if (!CanStartSummary()) return;
    HistoryStore store(hooks_.history);
    const std::vector<SnapshotInfo> snapshots = store.List();
    if (snapshots.empty()) {
        TellUser(context_, this,
                 store.Warning().isEmpty() ? QStringLiteral("No summary has been kept yet.")
                                           : store.Warning());
        return;
    }
    const std::optional<qint64> id =
        hooks_.PickSnapshot(this, QStringLiteral("Open Snapshot"), snapshots);
    const auto picked = std::find_if(snapshots.begin(), snapshots.end(),
                                     [&](const SnapshotInfo& info) { return id == info.id; });
    if (picked == snapshots.end()) return;
    const QByteArray root = ShownPath(picked->start);
    state_.history.Reset(Visit{root, PlacesOfDirectory(picked->start), picked->id});
    SummarizeHistoryEntry(root);
}

// Earlier snapshots holding a start directory of the summary shown, counted the same way.
void Tallmere::mnuCompareWith_Click() {
    if (!CanStartSummary()) return;
    if (!context_.settings.ShowGrowth) {
        TellUser(context_, this,
                 QStringLiteral("Growth is not shown: tick \"Show growth since the last "
                                "summary\" in the options first."));
        return;
    }
    HistoryStore store(hooks_.history);
    std::vector<SnapshotInfo> earlier;
    for (const SnapshotInfo& info : store.List()) {
        const bool holds =
            std::any_of(state_.data.Results.begin(), state_.data.Results.end(),
                        [&](const DirectoryRecord& row) {
                            return AbsoluteDirectory(row.start).startsWith(info.start);
                        });
        const bool shown = state_.snapshot && state_.snapshot->id == info.id;
        if (holds && !shown && info.counting == state_.countingKey) earlier.push_back(info);
    }
    if (earlier.empty()) {
        TellUser(context_, this,
                 store.Warning().isEmpty()
                     ? QStringLiteral("No earlier snapshot holds this folder counted this way.")
                     : store.Warning());
        return;
    }
    const std::optional<qint64> id =
        hooks_.PickSnapshot(this, QStringLiteral("Compare With"), earlier);
    for (const SnapshotInfo& info : earlier)
        if (id == info.id) Recompare(ComparisonBases{true, state_.countingKey, {info}});
    ShowProgress(FinishedText());
}

void Tallmere::mnuRefresh_Click() {
    if (!CanStartSummary()) return;
    keptView_ = KeptView{DirectoryOfRow(Grid1->Grid(), Grid1->Grid().RowSel()), Grid1->TopRow()};
    SummarizeHistoryEntry(state_.CurrentRoot);
    Grid1->setFocus();
}

// A directory gone since is no longer selected; the scrolling stays as far as the rows allow.
void Tallmere::RestoreView() {
    const std::optional<KeptView> kept = std::exchange(keptView_, std::nullopt);
    if (!kept) return;
    const CellGrid& grid = Grid1->Grid();
    for (int row = 1; row <= state_.ShownRows && !kept->selected.isEmpty(); ++row) {
        if (DirectoryOfRow(grid, row) == kept->selected) Grid1->SelectRow(row);
    }
    Grid1->SetTopRow(std::min(kept->topRow, std::max(state_.ShownRows, 1)));
}

// Summarises the history's current entry under the caption root Root.
void Tallmere::SummarizeHistoryEntry(const QByteArray& root) {
    state_.CurrentRoot = root;
    Summarize(root, state_.history.Current().places);
    Command2->setFocus();
}

// Beside "&Close", level with it, whenever there is somewhere to go back to.
void Tallmere::ShowBackButton() {
    cmdBack->setGeometry(TwipsToPixels(kBackButtonLeft), Command2->y(), cmdBack->width(),
                         Command2->height());
    cmdBack->setVisible(!state_.history.AtStart());
}
