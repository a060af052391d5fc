// Tallmere: moving between summaries in place: drill-down, Back and New.
#include <QPushButton>
#include <algorithm>
#include <utility>

#include "summary/tallmere.h"
#include "ui/flex_grid.h"
#include "ui/twips.h"

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
    if (!state_.history.Push(Visit{directory, places})) {
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
    SummarizeHistoryEntry(root);
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
