// Tallmere: the grid's popup and its commands: Explore, a new window, clearing archive bits.
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <cmath>
#include <memory>
#include <span>
#include <vector>

#include "platform/current_directory.h"
#include "platform/directory_walk.h"
#include "platform/program_launcher.h"
#include "platform/program_starts.h"
#include "platform/trash.h"
#include "summary/entry.h"
#include "summary/grid_actions.h"
#include "summary/skipped_text.h"
#include "summary/tallmere.h"
#include "summary/trash_action.h"
#include "ui/app_context.h"
#include "ui/flex_grid.h"
#include "ui/menu_items.h"
#include "ui/twips.h"
#include "ui/user_messages.h"

namespace {

// Elements 1 to 5 of the Copy item array; element 0, "&Copy Grid", lives in the Edit menu.
// The last, "Move to &Trash", shows only for a folder that may go, when the options offer it.
const char* const kPopupCaptions[] = {"&Explore", "&Tallmere32 (New Window)",
                                      "&Clear Archive Immediate", "&Clear Archive Recursive",
                                      "Move to &Trash"};
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
    return hooks;
}

void Tallmere::Grid1_KeyboardPopup(double y, QPoint at) {
    if (state_.SummaryReady) ShowGridPopup(y, at);
}

// The Edit menu as a popup, with the four commands added only while it shows so that the
// menu bar's Edit menu keeps "&Copy Grid" alone.
void Tallmere::ShowGridPopup(double y, QPoint at) {
    context_.PopupY = static_cast<int>(std::nearbyint(y));  // halves to even
    const int row = Grid1->RowUnder(1, state_.ShownRows, context_.PopupY);
    const bool trash = context_.settings.OfferTrash && MayTrashRow(state_.data.AtRow(row));
    const std::span<const char* const> captions(kPopupCaptions,
                                                trash ? kTrashItem : kTrashItem - 1);
    QMenu* edit = menuBar()->findChild<QMenu*>(QStringLiteral("Edit"));
    PopupWithCopyItems(
        *edit, captions, [this](int index) { Copy_Click(index); },
        [this, at](QMenu& menu) { hooks_.ShowPopup(menu, at); });
}

// Index 0 copies the grid; the popup's commands act on the directory row under the right
// click, if there is one.
void Tallmere::Copy_Click(int Index) {
    if (!state_.SummaryReady) return;
    if (Index == 0) {
        CopyGrid();
        return;
    }
    const QByteArray directory = PopupDirectory();
    if (directory.isEmpty()) return;
    if (Index == 1) Explore(directory);
    if (Index == 2) OpenNewWindow(directory);
    if (Index == 3) ClearArchive(directory, ClearDepth::Immediate);
    if (Index == 4) ClearArchive(directory, ClearDepth::Recursive);
    if (Index == 5) MoveToTrash_Click();
}

// The directory of the row under the last right click, made the current cell; empty when
// the click hit no directory row.
QByteArray Tallmere::PopupDirectory() {
    const int row = Grid1->RowUnder(1, state_.ShownRows, context_.PopupY);
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
        directory, state_.SortColumn, state_.SortAscending, ToTwips(x()), ToTwips(y()));
    TellUser(
        context_, this,
        StartSummaryProgram(*context_.services.launcher, hooks_.LocateSummaryProgram(), arguments));
}

// One clear-archive walk at a time; the summary shown is left as it is. The walk reaches the
// directory from the start its row was counted under, as the summary did.
void Tallmere::ClearArchive(const QByteArray& directory, ClearDepth depth) {
    const DirectoryRecord* record = state_.data.AtRow(Grid1->Grid().Row());  // the popup's row
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
        [this](ClearOutcome outcome) { ClearArchiveDone(outcome); });
    progressTimer_.start();
}

void Tallmere::ClearArchiveDone(const ClearOutcome& outcome) {
    progressTimer_.stop();
    ShowProgress(ClearDoneText(outcome.unread, outcome.notChanged));
    emit ArchiveCleared();
}
