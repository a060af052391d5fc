// Tallmere: controls, menus, layout, start-up and closing.
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

#include "census/summary_reports.h"
#include "platform/current_directory.h"
#include "settings/load_settings.h"
#include "summary/tallmere.h"
#include "ui/app_context.h"
#include "ui/flex_grid.h"
#include "ui/menu_items.h"
#include "ui/my_info.h"
#include "ui/twips.h"
#include "ui/user_messages.h"

namespace {

constexpr int kInitialWidth = 13000;  // twips of the client area
constexpr int kInitialHeight = 8000;
constexpr int kButtonHeight = 420;
constexpr int kStopWidth = 1000;

QFont GridFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

}  // namespace

Tallmere::Tallmere(AppContext& context, Words commandLine, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      commandLine_(std::move(commandLine)),
      scanThreads_(DefaultScanThreads()) {
    setWindowTitle(QStringLiteral("Tallmere"));
    CreateControls();
    CreateMenus();
    progressTimer_.setInterval(100);
    connect(&progressTimer_, &QTimer::timeout, this, &Tallmere::ShowWalkProgress);
    resize(TwipsToPixels(kInitialWidth),
           TwipsToPixels(kInitialHeight) + menuBar()->sizeHint().height());
}

Tallmere::~Tallmere() = default;

void Tallmere::CreateControls() {
    client_ = new QWidget(this);
    setCentralWidget(client_);
    Label1 = new QLabel(QStringLiteral("Processing ..."), client_);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(QStringLiteral("Progress Display"), client_);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Line1 = new QFrame(client_);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Grid1 = new FlexGrid(client_);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setFont(GridFont());
    Grid1->setToolTip(QStringLiteral(
        "Right click for other options including Explore and Sub Summary. Double click for "
        "same window drill-down."));
    // Alt+C belongs to the "&Chart" menu.
    Command2 = new QPushButton(QStringLiteral("C&lose"), client_);
    Command2->setObjectName(QStringLiteral("Command2"));
    cmdBack = new QPushButton(QStringLiteral("<<&Back"), client_);
    cmdBack->setObjectName(QStringLiteral("cmdBack"));
    cmdBack->hide();
    cmdStop = new QPushButton(QStringLiteral("&Stop"), client_);
    cmdStop->setObjectName(QStringLiteral("cmdStop"));
    cmdStop->setToolTip(QStringLiteral("Stop the walk and keep what it counted (Esc)"));
    cmdStop->hide();
    Image1 = new QToolButton(client_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAutoRaise(true);
    Image1->setIcon(ProgramPicture());
    Image1->setIconSize(QSize(TwipsToPixels(480), TwipsToPixels(480)));
    Image1->setToolTip(QStringLiteral("About Tallmere32"));
    connect(Grid1, &FlexGrid::MouseUp, this, &Tallmere::Grid1_MouseUp);
    connect(Grid1, &FlexGrid::DblClick, this, &Tallmere::Grid1_DblClick);
    connect(Grid1, &FlexGrid::KeyboardPopup, this, &Tallmere::Grid1_KeyboardPopup);
    // Backspace and Alt+Left go back as "<<&Back" does, while it shows.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Backspace), QKeySequence(QKeySequence::Back)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this] {
            if (cmdBack->isVisible()) cmdBack_Click();
        });
    }
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &Tallmere::cmdStop_Click);
    connect(cmdStop, &QPushButton::clicked, this, &Tallmere::cmdStop_Click);
    connect(cmdBack, &QPushButton::clicked, this, &Tallmere::cmdBack_Click);
    connect(Command2, &QPushButton::clicked, this, &Tallmere::Command2_Click);
    connect(Image1, &QToolButton::clicked, this, &Tallmere::Image1_Click);
}

void Tallmere::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File"));
    AddMenuItem(file, "NewSum", QStringLiteral("&New"), this, &Tallmere::NewSum_Click,
                QKeySequence(Qt::CTRL | Qt::Key_N));
    AddMenuItem(file, "mnuRefresh", QStringLiteral("&Refresh"), this, &Tallmere::mnuRefresh_Click,
                QKeySequence::Refresh);
    AddMenuItem(file, "mnuOpenSnapshot", QStringLiteral("&Open Snapshot ..."), this,
                &Tallmere::mnuOpenSnapshot_Click);
    AddMenuItem(file, "mnuCompareWith", QStringLiteral("Co&mpare With ..."), this,
                &Tallmere::mnuCompareWith_Click);
    AddMenuItem(file, "mnuSaveAs", QStringLiteral("Save &As ..."), this, &Tallmere::mnuSaveAs_Click,
                QKeySequence(Qt::CTRL | Qt::Key_S));
    AddMenuItem(file, "mnuPrint", QStringLiteral("&Print"), this, &Tallmere::mnuPrint_Click,
                QKeySequence(Qt::CTRL | Qt::Key_P));
    AddMenuItem(file, "Exit", QStringLiteral("E&xit"), this, &Tallmere::Exit_Click,
                QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("Edit"));
    connect(edit, &QMenu::aboutToShow, this, &Tallmere::Edit_Click);
    Copy = AddMenuItem(edit, "Copy", QStringLiteral("&Copy Grid"), QKeySequence::Copy);
    connect(Copy, &QAction::triggered, this, [this] { Copy_Click(PopupCommand::CopyGrid, -1); });
    AddMenuItem(menuBar(), "FreeSpace", QStringLiteral("F&ree Space"), this,
                &Tallmere::FreeSpace_Click);
    AddMenuItem(menuBar(), "mnuOptions", QStringLiteral("&Options"), this,
                &Tallmere::mnuOptions_Click);
    AddMenuItem(menuBar(), "mnuChart", QStringLiteral("&Chart"), this, &Tallmere::mnuChart_Click);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    AddMenuItem(help, "mnuContents", QStringLiteral("&Contents"), this,
                &Tallmere::mnuContents_Click, QKeySequence::HelpContents);
    AddMenuItem(help, "About", QStringLiteral("&About"), this, &Tallmere::About_Click);
}

Tallmere::Started Tallmere::Form_Load() {
    help_.InitHelp(this);
    if (const std::optional<SessionAction> action = CheckExitOptions(commandLine_)) {
        context_.services.session->Perform(*action);
        return Started::SessionEnding;
    }
    if (!ReloadSettings(context_, this)) return Started::NoSettings;
    const Switches switches = ParseSwitches(commandLine_);
    state_.SortColumn = switches.SortColumn;
    state_.SortAscending = switches.SortAscending;
    Grid1->Grid().SetCols(SummaryColumns(context_.settings));
    Grid1->Grid().SetRows(2);
    SetupGrid(Grid1->Grid(), context_.settings, state_.columnChars);
    PlaceAt(switches);
    show();
    const Visit first = FirstVisit();
    state_.CurrentRoot = first.root;
    state_.history.Reset(first);
    Summarize(first.root, first.places);
    Grid1->setFocus();
    return Started::Shown;
}

Visit Tallmere::FirstVisit() {
    const StartPath start = ParseStartPath(commandLine_, CurrentDirectory());
    if (startSnapshot_ == 0) return Visit{start.CurrentRoot, start.places};
    const std::optional<SnapshotInfo> info = HistoryStore(hooks_.history).Find(startSnapshot_);
    QByteArray folder = info ? info->start : QByteArrayLiteral("/");
    const std::optional<QByteArray> below =
        info ? FolderInside(info->start, commandLine_) : std::nullopt;
    if (below && !below->isEmpty()) folder += *below + '/';
    return Visit{ShownPath(folder), PlacesOfDirectory(folder), startSnapshot_};
}

void Tallmere::PlaceAt(const Switches& switches) {
    if (switches.Left.isEmpty()) return;
    bool leftOk = false;
    bool topOk = false;
    const float left = switches.Left.trimmed().toFloat(&leftOk);
    const float top = switches.Top.trimmed().toFloat(&topOk);
    if (leftOk && topOk) move(TwipsToPixels(left), TwipsToPixels(top));
}

// The caption names the sizes when they count other than by length, and says when excludes
// leave something out, so that no one takes the figures for the whole.
void Tallmere::SetCaption(const QByteArray& root) {
    const QString excludes =
        state_.excludes.Active() ? QStringLiteral(" [excludes active]") : QString();
    const QString snapshot =
        state_.snapshot ? QStringLiteral(" (snapshot of %1)").arg(SnapshotTime(*state_.snapshot))
                        : QString();
    setWindowTitle(QStringLiteral("Tallmere - ") + ShownText(root) +
                   CountingSuffix(state_.counting) + excludes + snapshot);
}

void Tallmere::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Tallmere::Form_Resize() {
    const double width = PixelsToTwips(client_->width());
    const double height = PixelsToTwips(client_->height());
    if (width <= 0 || height <= 0) return;
    Label1->setGeometry(TwipsToPixels(QRectF(240, 240, 1400, 330)));
    // While a walk runs, Stop stands at the right end of the progress box.
    const double stop = cmdStop->isVisible() ? kStopWidth + 120 : 0;
    Text1->setGeometry(TwipsToPixels(QRectF(1700, 200, std::max(width - 1940 - stop, 600.0), 360)));
    cmdStop->setGeometry(TwipsToPixels(QRectF(width - 240 - kStopWidth, 170, kStopWidth, 420)));
    Line1->setGeometry(TwipsToPixels(QRectF(0, 680, width, 60)));
    Grid1->setGeometry(
        TwipsToPixels(QRectF(240, 800, std::max(width - 500, 0.0), std::max(height - 1600, 0.0))));
    Command2->setGeometry(
        TwipsToPixels(QRectF(width / 2 - 1000, height - 600, 2000, kButtonHeight)));
    cmdBack->setGeometry(TwipsToPixels(QRectF(250, height - 600, 1400, kButtonHeight)));
    Image1->setGeometry(TwipsToPixels(QRectF(width - 840, height - 720, 600, 600)));
}

void Tallmere::closeEvent(QCloseEvent* event) {
    scan_.Stop();
    clearing_.Stop();
    progressTimer_.stop();
    help_.QuitHelp();
    CloseOwnWindows();
    emit Closing();
    QMainWindow::closeEvent(event);
}
