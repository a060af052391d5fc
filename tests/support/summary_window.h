#pragma once
// A summary window over fake services, with the settings of a first run, and the user's
// gestures on it. Its prompts never block: the Start Directory dialog answers StartAnswer,
// and the popup records its entries and picks PopupChoice.

#include <QByteArray>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "summary/tallmere.h"
#include "tests/support/fakes.h"

class QWidget;

struct SummaryWindow : FakeServices {
    std::unique_ptr<Tallmere> window;

    QByteArray startAnswer;  // what the Start Directory dialog answers
    int startAsked = 0;
    QString popupChoice;                    // the popup entry picked, "" to dismiss it
    std::vector<QStringList> popupEntries;  // the popup's entries, once per showing
    QPoint popupAt;                         // where the popup showed last, on the screen
    QByteArray summaryProgram = "/opt/tallmere/bin/tallmere32";
    QTemporaryDir historyHome;                             // the window's own history store
    std::optional<qint64> snapshotChoice;                  // what the snapshot picker answers
    std::vector<std::vector<SnapshotInfo>> snapshotLists;  // what it offered, once per showing

    explicit SummaryWindow(Words words);

    // Starts the window and waits for its first summary.
    void Load();
    // Waits for the summary that a gesture started.
    void WaitForSummary();
    // The history store the window keeps its summaries in.
    HistoryStore::Options History() const;

    const CellGrid& Grid();
    QString Progress();
    QStringList Column(int col);
    // The grid row showing directory Path, 0 when none does.
    int RowOf(const QByteArray& path);
    QStringList EditMenuEntries();
    // Triggers the menu item named Item.
    void Trigger(const char* item);

    // A left click on the heading of column Col.
    void ClickHeading(int col);
    // The middle of grid row Row (1 is the first row below the heading) in the viewport.
    QPoint RowPoint(int row);
    void DoubleClickRow(int row);
    // A right click at At of the grid's viewport, or low on its heading, picking Choice.
    void RightClick(QPoint at, const QString& choice);
    void RightClickHeading(const QString& choice);
};

Words StartOn(const QByteArray& path, std::initializer_list<const char*> switches = {});

class TempTree;
// Own file 1 byte; small/ 2 files, 20 bytes; medium/ 3 files, 300 bytes; large/ 1 file, 1000.
void MakeSizedTree(TempTree& tree);
