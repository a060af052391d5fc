#pragma once
// The options dialog "Tallmere32 - Options": the summary's unit, short form, what its sizes
// count, what it leaves out, whether it offers Move to Trash and keeps and compares a history,
// and the kinds of drive the disk survey lists and whether it tells when volumes fill up. Its
// controls edit a copy of the process's Settings; OK saves the copy to the store and makes it
// the process's, any other way out drops it.

#include <QDialog>

#include "settings/settings.h"

class QCheckBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
struct AppContext;

class frmOptions : public QDialog {
    Q_OBJECT
  public:
    // Context must outlive the dialog.
    explicit frmOptions(AppContext& context, QWidget* parent = nullptr);

    void Form_Load();
    void optBytes_Click();
    void optKB_Click();
    void optMB_Click();
    void chkShort_Click();
    void chkSizeOnDisk_Click();
    void chkLinksOnce_Click();
    void chkOfferTrash_Click();
    void chkKeepHistory_Click();
    void chkShowGrowth_Click();
    void chkShowFullIn_Click();
    void txtExcludes_Change();
    void chkExcludeCaches_Click();
    void chkFloppy_Click();
    void chkRemovable_Click();
    void chkNetwork_Click();
    void chkCDROM_Click();
    void btnOptApply_Click();
    void btnOptOK_Click();

  private:
    void CreateControls();
    void ArrangeControls();
    void ConnectHandlers();
    QCheckBox* NamedCheckBox(const char* name, const QString& caption);
    QRadioButton* NamedOption(const char* name, const QString& caption);
    QPushButton* NamedButton(const char* name, const QString& caption);
    // The unit word of the chosen option button, "" when none is chosen.
    QString ChosenDisplay() const;

    AppContext& context_;
    Settings edited_;
    QGroupBox* frmDisplay = nullptr;
    QRadioButton* optBytes = nullptr;
    QRadioButton* optKB = nullptr;
    QRadioButton* optMB = nullptr;
    QCheckBox* chkShort = nullptr;
    QCheckBox* chkSizeOnDisk = nullptr;
    QCheckBox* chkLinksOnce = nullptr;
    QCheckBox* chkOfferTrash = nullptr;
    QCheckBox* chkKeepHistory = nullptr;
    QCheckBox* chkShowGrowth = nullptr;
    QGroupBox* frmExcludes = nullptr;
    QPlainTextEdit* txtExcludes = nullptr;  // one pattern a line
    QCheckBox* chkExcludeCaches = nullptr;
    QGroupBox* Frame1 = nullptr;
    QCheckBox* chkFloppy = nullptr;
    QCheckBox* chkRemovable = nullptr;
    QCheckBox* chkNetwork = nullptr;
    QCheckBox* chkCDROM = nullptr;
    QCheckBox* chkShowFullIn = nullptr;
    QPushButton* btnOptApply = nullptr;
    QPushButton* btnOptOK = nullptr;
};

// Shows the options dialog modally over Parent. True when the user confirmed it; the opener
// then reloads its settings.
bool ShowOptions(AppContext& context, QWidget* parent);
