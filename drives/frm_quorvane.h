#pragma once
// The disk window "Available Disk Space": the disk table, the Refresh button and the menus.
// Quorvane32 opens it as its main window; Tallmere32 as a secondary one beside its summary.

#include <QKeySequence>
#include <QMainWindow>
#include <QString>

#include "common/flex_grid.h"
#include "drives/disk_table.h"
#include "drives/drive_survey.h"

class QFrame;
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
    const SurveyMemory& Memory() const { return memory_; }
    const DiskGeometry& Geometry() const { return geometry_; }

    void Form_Load();
    void cmdClose_Click();
    void mnuSaveAs_Click();
    void mnuPrint_Click();
    void mnuExit_Click();
    void Copy_Click();
    void mnuOptions_Click();
    void mnuAbout_Click();

  private:
    void CreateControls();
    void CreateMenus();
    // A menu item named Name whose Handler runs when it is chosen.
    void AddItem(QWidget* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut, void (frmQuorvane::*handler)());
    void SurveyAndShow();
    DiagnosticSink Diagnostics();
    void ApplyGeometry();
    void CentreOnScreen();
    QString ReportTitleNow() const;

    AppContext& context_;
    SurveyMemory memory_;
    DiskGeometry geometry_;
    QString lastSaveName_;  // the save dialog offers the last name chosen
    FlexGrid* flxDisks = nullptr;
    QPushButton* cmdClose = nullptr;
    QFrame* Line1 = nullptr;
};
