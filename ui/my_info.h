#pragma once
// The about box of both programs. A click on its picture flips the debug flag under which the
// drive survey shows every volume's raw figures.

#include <QDialog>
#include <QIcon>
#include <QPixmap>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

// The programs' emblem, a disk drawn as a pie with a used and a free slice, 48 pixels square.
QPixmap ProgramPicture();

// The icon of the program whose desktop entry is DesktopId, from the theme's PNG sizes the
// program carries as resources (":/icons/SIZExSIZE/apps/ID.png"); the emblem without them.
QIcon ProgramIcon(const QString& desktopId);

class MyInfo : public QDialog {
    Q_OBJECT
  public:
    // DebugMode must outlive the box.
    explicit MyInfo(bool& debugMode, QWidget* parent = nullptr);

    void Command1_Click();
    void Image1_Click();

  private:
    void CreateControls();
    QLabel* NamedLabel(const char* name, const QString& text);
    void ArrangeControls();

    bool& debugMode_;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QToolButton* Image1 = nullptr;
};
