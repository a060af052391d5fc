#pragma once
// The Start Directory dialog: one or more directories separated by ";" in the text box, or
// every local volume with the check box. Its answer is "" when the user cancelled.

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;

class Entry : public QDialog {
    Q_OBJECT
  public:
    // Asks the user for a folder over a parent window; "" when none was chosen.
    using FolderChooser = std::function<QString(QWidget* parent)>;

    explicit Entry(QWidget* parent = nullptr, FolderChooser chooseFolder = {});

    // Shows a fresh dialog modally and returns its answer.
    static QByteArray Ask(QWidget* parent);

    const QByteArray& EntryAnswer() const { return answer_; }

    void Check1_Click();
    // Enter (13) answers the text as typed, or "" when it is empty; Esc (27) answers "".
    // Returns whether the key was taken; every other key is typed normally.
    bool Text1_KeyPress(int keyAscii);
    // Appends the folder the user chooses to the text box, after a ";" when it holds some.
    void cmdBrowse_Click();
    // Esc, Cancel and the close box: the user cancelled.
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void Answer(const QByteArray& answer);
    // OK and Enter: the text as typed, "" when there is none.
    void AnswerText();

    FolderChooser chooseFolder_;
    QCheckBox* Check1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QByteArray answer_;
};

// Text with Folder appended as one more ";"-separated field.
QString WithFolderAppended(const QString& text, const QString& folder);
