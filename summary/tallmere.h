#pragma once
// The summary window: the table of one summary, its progress display and its commands.

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>

#include "census/clear_archive.h"
#include "census/command_line.h"
#include "census/scan.h"
#include "census/summary_data.h"
#include "census/summary_history.h"
#include "census/summary_table.h"
#include "help/context_ids.h"
#include "summary/history.h"
#include "ui/walk_job.h"

struct AppContext;
class FlexGrid;
class MyInfo;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class frmQuorvane;

// The Copy item array: the Edit menu's "&Copy Grid" and the commands the grid's popup adds,
// in their order there.
enum class PopupCommand {
    CopyGrid,
    Explore,
    NewWindow,
    ClearImmediate,
    ClearRecursive,
    MoveToTrash
};

// What the window shows and how it is ordered.
struct SummaryState {
    int SortColumn = 1;
    bool SortAscending = true;
    int LastSortColumn = 0;
    bool SummaryReady = false;
    int ShownRows = 0;
    QByteArray CurrentRoot;
    bool complete = true;       // false when its walk was stopped
    SizeCounting counting;      // of the summary shown or being made
    Excludes excludes;          // what it leaves out
    std::int64_t excluded = 0;  // entries its walk left out
    History history;
    SummaryData data;
    RowGrowths growths;                    // since base, by index into data's rows
    std::optional<SnapshotInfo> base;      // what the growth shown is counted from
    std::optional<SnapshotInfo> snapshot;  // the saved snapshot shown instead of a walk
    QStringList historyWarnings;           // what the store said about this summary
    QByteArray countingKey;                // how it was counted, as CountingKey words
    ColumnChars columnChars{};
};

// Where the window reaches out in ways that tests replace.
struct TallmereHooks {
    std::function<QByteArray(QWidget* parent)> AskStartDirectory;  // the Entry dialog's answer
    std::function<void(QMenu& menu, QPoint at)> ShowPopup;         // returns after the command ran
    std::function<QByteArray()> LocateSummaryProgram;              // empty when there is none
    WalkFaults* walkFaults = nullptr;                              // the summary walks meet
    // Asks whether to move a folder to the trash; true to go ahead.
    std::function<bool(QWidget* parent, const QString& question)> ConfirmTrash;
    std::function<QByteArray()> HomeTrash;  // the home trash folder
    HistoryStore::Options history;          // the store summaries are kept in
    // Lets the user pick one of Snapshots in a dialog headed Title; none when cancelled.
    std::function<std::optional<qint64>(QWidget* parent, const QString& title,
                                        const std::vector<SnapshotInfo>& snapshots)>
        PickSnapshot;
};
TallmereHooks DefaultTallmereHooks();

class Tallmere : public QMainWindow {
    Q_OBJECT
  public:
    // CommandLine: the program's arguments after its name, as bytes.
    Tallmere(AppContext& context, Words commandLine, QWidget* parent = nullptr);
    ~Tallmere() override;

    enum class Started { Shown, SessionEnding, NoSettings };
    // Obeys an exit option, loads the settings, reads the command line, shows the window and
    // starts the first summary. Anything but Shown: the program is to end at once.
    Started Form_Load();

    const SummaryState& State() const { return state_; }
    FlexGrid& Grid() { return *Grid1; }
    void SetScanThreads(int threads) { scanThreads_ = threads; }
    // Excludes for this run, over those kept in the options.
    void AddExcludes(const Excludes& excludes) { commandLineExcludes_ += excludes; }
    TallmereHooks& Hooks() { return hooks_; }
    // Form_Load shows saved snapshot Id (or the folder inside it that the command line names)
    // instead of walking.
    void OpenSnapshotAtStart(qint64 id) { startSnapshot_ = id; }

  signals:
    // A summary has been sorted and shown.
    void SummaryFinished();
    // The window closed: the program ends.
    void Closing();
    // A clear-archive walk has ended, the summary has been walked again, and "Done!" (with
    // what it could not do) is shown.
    void ArchiveCleared();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateControls();
    void CreateMenus();
    void Form_Resize();
    void SetCaption(const QByteArray& root);
    void PlaceAt(const Switches& switches);
    // The first visit: the command line's start, or the snapshot to open at start (or the
    // folder inside it that the last START word names, as report mode reads it).
    Visit FirstVisit();

    // Walks Places under the caption root ShownRoot, which the progress shows until the walk
    // reports, counting sizes as the settings say.
    void Summarize(const QByteArray& shownRoot, const StartPlaces& places);
    void ClearSummary();
    void ScanFinished(WindowSummary summary);
    // What the walk about to start asks of the history.
    HistoryPlan PlanHistory() const;
    // Shows the growth columns when the options want them and there is a base.
    bool GrowthShown() const;
    // Compares the summary shown with Bases again, without walking.
    void Recompare(const ComparisonBases& bases);
    // The grid column of the sort column (the growth columns follow the figures).
    int SortColumnShown() const;
    void SortRows();
    void FillGrid();
    void ShowProgress(const QString& text);
    // At first sight: wide enough to show every column, as far as the screen allows.
    void ShowEveryColumn();
    // The progress box's words for the summary shown.
    QString FinishedText() const;
    void ShowWalkProgress();

    void Grid1_MouseUp(int button, int shift, double x, double y);
    void HeaderClick(double x);
    // Stop: the walk ends and what it counted is shown, marked partial.
    void cmdStop_Click();
    void ShowStopButton(bool shown);
    // Refresh: the current view walked again, keeping its order, selected row and scrolling.
    void mnuRefresh_Click();
    // After a refresh's walk: the row of the directory selected before, and the scrolling.
    void RestoreView();
    void mnuSaveAs_Click();
    // File > "Open Snapshot ...": a saved snapshot shown without walking, read-only.
    void mnuOpenSnapshot_Click();
    // File > "Compare With ...": the growth counted from an earlier snapshot the user picks.
    void mnuCompareWith_Click();
    // False, telling the user, when Directory of a snapshot shown is no longer there.
    bool StillThere(const QByteArray& directory);
    void Exit_Click();
    void Command2_Click();

    // Options and chart (tallmere_options.cpp).
    void mnuOptions_Click();
    void RedrawForSettings();
    void mnuChart_Click();

    // Navigation: drill-down, Back and New.
    void Grid1_DblClick();
    void cmdBack_Click();
    void NewSum_Click();
    bool CanStartSummary() const;
    void SummarizeHistoryEntry(const QByteArray& root);
    void ShowBackButton();

    // The grid's popup and its commands.
    void Grid1_KeyboardPopup(double y, QPoint at);
    // The popup at At (screen pixels) for the row Y twips from the grid's top.
    void ShowGridPopup(double y, QPoint at);
    // The directory of grid row Row, made the current cell; empty for a row that holds none.
    QByteArray MakeCurrentDirectory(int row);
    void Explore(const QByteArray& directory);
    void OpenNewWindow(const QByteArray& directory);
    void ClearArchive(int row, const QByteArray& directory, ClearDepth depth);
    void ClearArchiveDone(const ClearOutcome& outcome, const QByteArray& directory);
    // Shows what the clear-archive walk that asked for this summary reports; false when none did.
    bool ShowClearReport();
    // Makes the row of rowToSelect_ the current one, if it is shown.
    void SelectPendingRow();
    // Moves the folder of grid row Row to the trash, once the user agrees.
    void MoveToTrash_Click(int row);

    // Print, Edit, Free Space, Help and About (tallmere_menu_commands.cpp).
    void mnuPrint_Click();
    void Edit_Click();
    // Copies the grid, or runs a popup command on grid row Row (-1: none was hit).
    void Copy_Click(PopupCommand command, int row);
    void CopyGrid();
    void FreeSpace_Click();
    void mnuContents_Click();
    void About_Click();
    void Image1_Click();
    // The disk window, the about box and any other window this one opened.
    void CloseOwnWindows();

    AppContext& context_;
    Words commandLine_;
    SummaryState state_;
    WalkJob scan_;
    WalkJob clearing_;
    TallmereHooks hooks_ = DefaultTallmereHooks();
    QTimer progressTimer_;
    QString lastSaveName_;
    // What a clear-archive walk reports once the summary it changed is shown again.
    struct ClearReport {
        QByteArray directory;  // the row it started from
        QString done;          // the progress box's words
        QString note;          // what could not be changed or read
    };
    std::optional<ClearReport> clearReport_;
    QByteArray rowToSelect_;
    bool shownEveryColumn_ = false;  // the first summary has widened the window  // the directory
                                     // made the current row when the summary shows
    int scanThreads_;
    Excludes commandLineExcludes_;
    // What a refresh keeps: the selected row's directory and the first row shown.
    struct KeptView {
        QByteArray selected;
        int topRow = 1;
    };
    std::optional<KeptView> keptView_;
    qint64 startSnapshot_ = 0;  // the saved snapshot Form_Load opens, 0 for a walk
    ComparisonBases bases_;     // what this window compares its summaries with
    qint64 windowBegan_ = 0;    // Unix seconds: when the first walk of this window or of New began
    QElapsedTimer walkClock_;   // for the progress's estimate of the time left

    FlexGrid* Grid1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdStop = nullptr;
    QFrame* Line1 = nullptr;
    QWidget* client_ = nullptr;

    ContextIDs help_;
    QPointer<frmQuorvane> diskWindow_;
    QPointer<MyInfo> about_;
    QAction* Copy = nullptr;  // element 0 of the Copy item array: "&Copy Grid"
    QToolButton* Image1 = nullptr;
};
