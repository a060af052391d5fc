#include "drives/frm_quorvane.h"

#include "ui/menu_items.h"

#include <QAction>
#include <QDateTime>
#include <QFrame>
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <cstdio>

#include "drives/disk_reports.h"
#include "drives/survey_history.h"
#include "ui/app_context.h"
#include "ui/desktop_dialogs.h"
#include "ui/frm_options.h"
#include "ui/my_info.h"
#include "ui/printed_report.h"
#include "ui/save_report.h"
#include "ui/screen_fit.h"
#include "ui/twips.h"
#include "ui/user_messages.h"

frmQuorvane::frmQuorvane(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context) {
    setWindowTitle(QStringLiteral("Available Disk Space"));
    setAttribute(Qt::WA_QuitOnClose, parent == nullptr);
    CreateControls();
    CreateMenus();
    connect(cmdClose, &QPushButton::clicked, this, &frmQuorvane::cmdClose_Click);
    connect(flxDisks, &FlexGrid::MouseUp, this, &frmQuorvane::flxDisks_MouseUp);
    connect(flxDisks, &FlexGrid::KeyboardPopup, this, &frmQuorvane::flxDisks_KeyboardPopup);
    help_.InitHelp(this);
}

void frmQuorvane::closeEvent(QCloseEvent* event) {
    help_.QuitHelp();
    QMainWindow::closeEvent(event);
}

void frmQuorvane::CreateControls() {
    auto* client = new QWidget(this);
    setCentralWidget(client);
    flxDisks = new FlexGrid(client);
    flxDisks->setObjectName(QStringLiteral("flxDisks"));
    // The widths allow 130 twips a character, which a narrow sans face keeps to.
    QFont gridFont;
    gridFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("Arial")});
    gridFont.setPointSizeF(8.25);
    flxDisks->setFont(gridFont);
    cmdClose = new QPushButton(QStringLiteral("&Refresh"), client);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    Line1 = new QFrame(client);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
}

// The menu bar in its order: File, Edit, Chart, Options, Help, About.
void frmQuorvane::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    AddMenuItem(file, "mnuSaveAs", QStringLiteral("Save &As ..."), this,
                &frmQuorvane::mnuSaveAs_Click);
    AddMenuItem(file, "mnuPrint", QStringLiteral("&Print"), this, &frmQuorvane::mnuPrint_Click,
                QKeySequence(Qt::CTRL | Qt::Key_P));
    AddMenuItem(file, "mnuExit", QStringLiteral("E&xit"), this, &frmQuorvane::mnuExit_Click,
                QKeySequence(Qt::CTRL | Qt::Key_X));
    Edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    Edit->setObjectName(QStringLiteral("Edit"));
    QAction* copy =
        AddMenuItem(Edit, "Copy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, [this] { Copy_Click(DiskPopupCommand::Copy, -1); });
    QMenu* chart = menuBar()->addMenu(QStringLiteral("&Chart"));
    chart->setObjectName(QStringLiteral("mnuChart"));
    AddMenuItem(chart, "mnuSelection", QStringLiteral("&Selection"), this,
                &frmQuorvane::mnuSelection_Click, QKeySequence(Qt::CTRL | Qt::Key_S));
    AddMenuItem(chart, "mnuChartAvailable", QStringLiteral("&Available Space"), this,
                &frmQuorvane::mnuChartAvailable_Click, QKeySequence(Qt::CTRL | Qt::Key_A));
    AddMenuItem(chart, "mnuChartUsed", QStringLiteral("&Used Space"), this,
                &frmQuorvane::mnuChartUsed_Click, QKeySequence(Qt::CTRL | Qt::Key_U));
    AddMenuItem(chart, "mnuChartTotal", QStringLiteral("&Total Space"), this,
                &frmQuorvane::mnuChartTotal_Click, QKeySequence(Qt::CTRL | Qt::Key_T));
    AddMenuItem(chart, "mnuTrend", QStringLiteral("T&rend"), this, &frmQuorvane::mnuTrend_Click);
    AddMenuItem(menuBar(), "mnuOptions", QStringLiteral("&Options"), this,
                &frmQuorvane::mnuOptions_Click);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    AddMenuItem(help, "mnuContents", QStringLiteral("&Contents"), this,
                &frmQuorvane::mnuContents_Click, QKeySequence::HelpContents);
    AddMenuItem(menuBar(), "mnuAbout", QStringLiteral("&About"), this,
                &frmQuorvane::mnuAbout_Click);
}

void frmQuorvane::Open() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    Form_Load();
}

void frmQuorvane::Form_Load() {
    memory_.FirstPass = true;
    SurveyAndShow();
}

void frmQuorvane::cmdClose_Click() {
    SurveyAndShow();
}

// Every survey reads the settings afresh, so options saved elsewhere take effect here.
void frmQuorvane::SurveyAndShow() {
    if (!ReloadSettings(context_, this)) {
        close();
        return;
    }
    const bool firstPass = memory_.FirstPass;
    rows_ = SurveyDrives(flxDisks->Grid(), *context_.services.volumes, context_.settings,
                         WindowColumns(context_.settings), memory_, Diagnostics());
    KeepInHistory();
    WriteForecasts(flxDisks->Grid(), rows_, memory_.Columns);
    ApplyGeometry();
    if (firstPass) CentreOnScreen();  // later surveys leave the window where the user put it
    show();
    ApplyGeometry();     // now that the frame around the window is known
    FitOnScreen(*this);  // more rows make it taller
}

// Every survey joins the history the trend and the forecasts are drawn from; a store that
// cannot serve costs the survey nothing and says why on standard error.
void frmQuorvane::KeepInHistory() {
    HistoryStore history({HistoryStore::DefaultPath()});
    QString warning;
    KeepSurvey(history, rows_, QDateTime::currentSecsSinceEpoch(), &warning);
    if (!warning.isEmpty()) std::fprintf(stderr, "quorvane32: %s\n", qUtf8Printable(warning));
}

DiagnosticSink frmQuorvane::Diagnostics() {
    if (!context_.DebugMode) return {};
    return [this](const QString& figures) { TellUser(context_, this, figures); };
}

// The window's twips are its outer size; Qt sizes the inside, so the frame comes off.
void frmQuorvane::ApplyGeometry() {
    geometry_ = DiskWindowGeometry(flxDisks->Grid());
    if (const QScreen* screen = this->screen()) {
        const QSize area = screen->availableGeometry().size();
        geometry_ = FitDiskGeometry(geometry_, static_cast<int>(PixelsToTwips(area.width())),
                                    static_cast<int>(PixelsToTwips(area.height())));
    }
    const DiskGeometry& g = geometry_;
    flxDisks->setGeometry(TwipsToPixels(g.gridLeft), TwipsToPixels(g.gridTop),
                          TwipsToPixels(g.gridWidth), TwipsToPixels(g.gridHeight));
    cmdClose->setGeometry(TwipsToPixels(g.buttonLeft), TwipsToPixels(g.buttonTop),
                          TwipsToPixels(g.buttonWidth), cmdClose->sizeHint().height());
    Line1->setGeometry(0, 0, TwipsToPixels(g.lineX2), Line1->sizeHint().height());
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(QSize(TwipsToPixels(g.windowWidth), TwipsToPixels(g.windowHeight)) - frame);
}

void frmQuorvane::CentreOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

QString frmQuorvane::ReportTitleNow() const {
    return DiskReportTitle(context_.settings.ComputerName, QDateTime::currentDateTime());
}

void frmQuorvane::mnuSaveAs_Click() {
    const CellGrid& grid = flxDisks->Grid();
    SaveReportAs(this, *context_.services.saveDialog, *context_.services.messages,
                 context_.ProgramTitle, lastSaveName_,
                 {[&] { return DiskTextReport(grid, memory_.Columns, ReportTitleNow()); },
                  [&] { return CsvLines(grid); }});
}

void frmQuorvane::mnuPrint_Click() {
    const CellGrid& grid = flxDisks->Grid();
    PrintJob job;
    job.fontMissingText = QString::fromLatin1(kPrintFontMissing);
    job.pages = [&] { return std::vector<PrintedPage>{DiskPrintedPage(grid, ReportTitleNow())}; };
    PrintReport(this, *context_.services.printDialog, *context_.services.messages,
                context_.ProgramTitle, job);
}

void frmQuorvane::mnuExit_Click() {
    close();
}

void frmQuorvane::mnuOptions_Click() {
    if (!ShowOptions(context_, this)) return;
    if (!ReloadSettings(context_, this)) {
        close();
        return;
    }
    RedrawForSettings();
    emit SettingsReloaded();
}

// Full In comes or goes at once, drawn from the rows the table holds; changed drive kinds and
// the network column show at the next Refresh, which surveys again.
void frmQuorvane::RedrawForSettings() {
    DiskColumns columns = memory_.Columns;
    columns.fullIn = context_.settings.ShowFullIn;
    if (!isVisible() || columns.fullIn == memory_.Columns.fullIn) return;
    FillDiskGrid(flxDisks->Grid(), rows_, columns, memory_);
    ApplyGeometry();
    FitOnScreen(*this);
}

void frmQuorvane::mnuContents_Click() {
    help_.ShowSection(QStringLiteral("disks"));
}

void frmQuorvane::mnuAbout_Click() {
    MyInfo about(context_.DebugMode, this);
    about.exec();
}
