// Tallmere: the grid's popup and its commands: Explore, a new window, clearing archive bits.
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <cmath>
#include <memory>
#include <span>
#include <vector>

#include "census/history_report.h"
#include "census/skipped_text.h"
#include "platform/current_directory.h"
#include "platform/directory_walk.h"
#include "platform/program_launcher.h"
#include "platform/program_starts.h"
#include "platform/trash.h"
#include "summary/entry.h"
#include "summary/grid_actions.h"
#include "summary/tallmere.h"
#include "summary/trash_action.h"
#include "ui/app_context.h"
#include "ui/flex_grid.h"
#include "ui/menu_items.h"
#include "ui/pick_dialog.h"
#include "ui/twips.h"
#include "ui/user_messages.h"

namespace {

// Elements 1 to 5 of the Copy item array, PopupCommand's Explore to MoveToTrash; element 0,
// "&Copy Grid", lives in the Edit menu and owns Alt+C. The last shows only for a folder that
// may go, when the options offer it.
const char* const kPopupCaptions[] = {"&Explore", "&Tallmere32 (New Window)",
                                      "Clear Archive &Immediate", "Clear Archive &Recursive",
                                      "Move to Tr&ash"};
constexpr std::size_t kTrashItem = 5;

int ToTwips(int pixels) {
    return static_cast<int>(std::lround(PixelsToTwips(pixels)));
}

}  // namespace

TallmereHooks DefaultTallmereHooks() {
    TallmereHooks hooks;
    hooks.AskStartDirectory = [](QWidget* parent) { return Entry::Ask(parent); };
    hooks.ShowPopup = [](QMenu& menu, QPoint at) { menu.exec(at); };
    hooks.LocateSummaryProgram = [] { return LocateSummaryProgram(); };
    hooks.ConfirmTrash = [](QWidget* parent, const QString& question) {
        return QMessageBox::question(parent, QStringLiteral("Tallmere32"), question) ==
               QMessageBox::Yes;
    };
    hooks.HomeTrash = HomeTrashFolder;
    hooks.history = HistoryOptions();
    hooks.PickSnapshot = [](QWidget* parent, const QString& title,
                            const std::vector<SnapshotInfo>& snapshots) -> std::optional<qint64> {
        const std::optional<int> row = PickGridRow(parent, title, SnapshotListGrid(snapshots));
        if (!row) return std::nullopt;
        return snapshots[*row - 1].id;
    };
    return hooks;
}

void Tallmere::Grid1_KeyboardPopup(double y, QPoint at) {
    if (state_.SummaryReady) ShowGridPopup(y, at);
}

// The Edit menu as a popup, with the four commands added only while it shows so that the
// menu bar's Edit menu keeps "&Copy Grid" alone. The row under the pointer goes with the
// command chosen.
void Tallmere::ShowGridPopup(double y, QPoint at) {
    const int row = Grid1->RowUnder(1, state_.ShownRows, std::nearbyint(y));  // halves to even
    const bool trash = context_.settings.OfferTrash && MayTrashRow(state_.data.AtRow(row));
    const std::span<const char* const> captions(kPopupCaptions,
                                                trash ? kTrashItem : kTrashItem - 1);
    QMenu* edit = menuBar()->findChild<QMenu*>(QStringLiteral("Edit"));
    PopupWithCopyItems(
        *edit, captions,
        [this, row](int index) { Copy_Click(static_cast<PopupCommand>(index), row); },
        [this, at](QMenu& menu) { hooks_.ShowPopup(menu, at); });
}

void Tallmere::Copy_Click(PopupCommand command, int row) {
    if (!state_.SummaryReady) return;
    if (command == PopupCommand::CopyGrid) {
        CopyGrid();
        return;
    }
    const QByteArray directory = MakeCurrentDirectory(row);
    if (directory.isEmpty() || (state_.snapshot && !StillThere(directory))) return;
    switch (command) {
        case PopupCommand::Explore:
            Explore(directory);
            break;
        case PopupCommand::NewWindow:
            OpenNewWindow(directory);
            break;
        case PopupCommand::ClearImmediate:
            ClearArchive(row, directory, ClearDepth::Immediate);
            break;
        case PopupCommand::ClearRecursive:
            ClearArchive(row, directory, ClearDepth::Recursive);
            break;
        case PopupCommand::MoveToTrash:
            MoveToTrash_Click(row);
            break;
        case PopupCommand::CopyGrid:
            break;
    }
}

bool Tallmere::StillThere(const QByteArray& directory) {
    if (QFileInfo(QFile::decodeName(directory)).isDir()) return true;
    TellUser(context_, this,
             ShownText(directory) +
                 QStringLiteral(" is no longer there: the snapshot shows it as it was."));
    return false;
}

QByteArray Tallmere::MakeCurrentDirectory(int row) {
    if (row < 0) return {};
    CellGrid& grid = Grid1->Grid();
    grid.SetRow(row);
    grid.SetCol(0);
    return DirectoryOfRow(grid, row);
}

void Tallmere::Explore(const QByteArray& directory) {
    const QByteArray absolute = AbsoluteDirectory(directory, CurrentDirectory());
    TellUser(context_, this, ExploreDirectory(*context_.services.launcher, absolute));
}

void Tallmere::OpenNewWindow(const QByteArray& directory) {
    const std::vector<QByteArray> arguments = NewWindowArguments(
        directory, state_.SortColumn <= kLastField ? state_.SortColumn : kPathField,
        state_.SortAscending, ToTwips(x()), ToTwips(y()));
    TellUser(
        context_, this,
        StartSummaryProgram(*context_.services.launcher, hooks_.LocateSummaryProgram(), arguments));
}

// One clear-archive walk at a time. The walk reaches the directory from the start its row was
// counted under, as the summary did.
void Tallmere::ClearArchive(int row, const QByteArray& directory, ClearDepth depth) {
    const DirectoryRecord* record = state_.data.AtRow(row);
    if (clearing_.Running() || !record) return;
    const QByteArray start = record->start;
    QByteArray below = record->Path.mid(start.size());
    if (below.endsWith('/')) below.chop(1);
    WalkOptions options;
    // Rows of a "My Computer" summary (or of one drilled into from it) count their volume
    // alone; so does the walk that clears them.
    options.stayOnVolume = state_.history.Current().places.stayOnVolume;
    const int threads = scanThreads_;
    ShowProgress(ShownText(directory));
    clearing_.Start<ClearOutcome>(
        [start, below, depth, threads, options](std::stop_token stop,
                                                WalkProgress& progress) mutable {
            options.stop = stop;
            options.progress = &progress;
            return ClearArchiveTree(start, below, depth, threads, options);
        },
        [this, directory](ClearOutcome outcome) { ClearArchiveDone(outcome, directory); });
    progressTimer_.start();
}

// The summary shown is walked again for its new archive figures: a start's own row clears the
// whole tree, so any row may have changed. What the clear could not do is told when it shows.
void Tallmere::ClearArchiveDone(const ClearOutcome& outcome, const QByteArray& directory) {
    progressTimer_.stop();
    clearReport_ = ClearReport{directory, ClearDoneText(outcome.unread, outcome.notChanged),
                               ClearNote(outcome.unread, outcome.notChanged)};
    rowToSelect_ = directory;
    Summarize(state_.CurrentRoot, state_.history.Current().places);
}

// The clear's last words in the progress box, and its note on the row it started from.
bool Tallmere::ShowClearReport() {
    if (!clearReport_) return false;
    ShowProgress(clearReport_->done);
    Text1->setToolTip(clearReport_->note);
    CellGrid& grid = Grid1->Grid();
    for (int row = 1; row < grid.Rows(); ++row) {
        if (DirectoryOfRow(grid, row) == clearReport_->directory) {
            AppendRowNote(grid, row, clearReport_->note, state_.columnChars);
        }
    }
    clearReport_.reset();
    return true;
}
