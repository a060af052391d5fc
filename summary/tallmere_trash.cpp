// Tallmere: Move to Trash from the grid's popup.
#include "platform/current_directory.h"
#include "platform/trash.h"
#include "summary/tallmere.h"
#include "summary/trash_action.h"
#include "ui/app_context.h"
#include "ui/flex_grid.h"
#include "ui/user_messages.h"

// The popup's row, made current, once the user confirmed. The folder goes only while it is
// still the one the walk counted; anything else leaves everything as it was. After a move the
// view is walked again, so that the row goes and the figures follow.
void Tallmere::MoveToTrash_Click(int row) {
    const DirectoryRecord* record = state_.data.AtRow(row);
    if (!context_.settings.OfferTrash || !MayTrashRow(record) || !CanStartSummary()) return;
    const QByteArray folder = TrashedFolder(*record, CurrentDirectory());
    if (!hooks_.ConfirmTrash(this, TrashQuestion(folder, record->counts))) return;
    const TrashOutcome outcome = MoveToTrash(folder, record->identity, hooks_.HomeTrash());
    if (!outcome.moved) {
        TellUser(context_, this, NotTrashedText(folder, outcome.reason));
        return;
    }
    TellUser(context_, this, TrashedText(folder));
    mnuRefresh_Click();
}
