#pragma once
// The disk window "Available Disk Space": the disk table, the Refresh button, the menus and
// the table's popup. Quorvane32 opens it as its main window; Tallmere32 as a secondary one
// beside its summary.

#include <QKeySequence>
#include <QMainWindow>
#include <QString>

#include "chart/pie_model.h"
#include "drives/disk_columns.h"
#include "drives/disk_popup.h"
#include "drives/disk_table.h"
#include "drives/drive_survey.h"
#include "help/context_ids.h"
#include "ui/flex_grid.h"

class QAction;
class QFrame;
class QMenu;
class QPushButton;
struct AppContext;

class frmQuorvane : public QMainWindow {
    Q_OBJECT
  public:
    // Context must outlive the window. With a parent the window is a secondary one: closing it
    // leaves the program running.
    explicit frmQuorvane(AppContext& context, QWidget* parent = nullptr);

    // Loads the window with a first survey and shows it; when it is open already, brings it
    // forward. The memory of used space survives closing and opening again.
    void Open();

    const CellGrid& Grid() const { return flxDisks->Grid(); }
    // The rows of the last survey, as numbers: the grid and the charts are made from them.
    const DiskRows& Rows() const { return rows_; }
    const SurveyMemory& Memory() const { return memory_; }
    const DiskGeometry& Geometry() const { return geometry_; }
    // Redraws the table for options confirmed here or in another window of the program.
    void RedrawForSettings();

  signals:
    // Options confirmed here were saved and read back into the shared settings.
    void SettingsReloaded();

  public:
    void Form_Load();
    void cmdClose_Click();
    void mnuSaveAs_Click();
    void mnuPrint_Click();
    void mnuExit_Click();
    void mnuOptions_Click();
    void mnuAbout_Click();
    // Help > Contents and F1: the manual at the disk window's section.
    void mnuContents_Click();
    const ContextIDs& Help() const { return help_; }

    // The popup, the Copy item array and the chart menu (frm_quorvane_popup.cpp).
    void flxDisks_MouseUp(int button, int shift, double x, double y);
    void flxDisks_KeyboardPopup(double y, QPoint at);
    // Copies the table, explores or summarises the drive of table row Row (-1: the popup hit
    // none), or charts the selected drive.
    void Copy_Click(DiskPopupCommand command, int row);
    void mnuSelection_Click();
    // The trend of the selected volume's used space, or of all of them for the totals row.
    void mnuTrend_Click();

    void mnuChartAvailable_Click();
    void mnuChartUsed_Click();
    void mnuChartTotal_Click();

  protected:
    // The manual's window closes with this one.
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateControls();
    void CreateMenus();
    // The popup at At (screen pixels) for the row Y twips from the grid's top.
    void ShowPopup(double y, QPoint at);
    void ShowColumnChart(DiskColumn column);
    // The trend of table row Row's volume; of every volume for any other row.
    void ShowTrend(int row);
    void ShowChart(PieModel pie);
    // The mount point of drive row Row, made the current cell; empty for no drive row.
    QByteArray MountPointOfRow(int row);
    void SurveyAndShow();
    void KeepInHistory();
    DiagnosticSink Diagnostics();
    // Places the controls for the table, as large as the screen lets the window be.
    void ApplyGeometry();
    void CentreOnScreen();
    QString ReportTitleNow() const;

    AppContext& context_;
    SurveyMemory memory_;
    DiskRows rows_;
    ContextIDs help_;
    DiskGeometry geometry_;
    QString lastSaveName_;  // the save dialog offers the last name chosen
    FlexGrid* flxDisks = nullptr;
    QMenu* Edit = nullptr;
    QPushButton* cmdClose = nullptr;
    QFrame* Line1 = nullptr;
};
