#pragma once
// The Start Directory dialog: one or more directories separated by ";" in the text box, or
// every local volume with the check box. Its answer is "" when the user cancelled.

#include <QByteArray>
#include <QDialog>

class QCheckBox;
class QLineEdit;

class Entry : public QDialog {
    Q_OBJECT
  public:
    explicit Entry(QWidget* parent = nullptr);

    // Shows a fresh dialog modally and returns its answer.
    static QByteArray Ask(QWidget* parent);

    const QByteArray& EntryAnswer() const { return answer_; }

    void Check1_Click();
    // Enter (13) answers the text as typed, or "" when it is empty; Esc (27) answers "".
    // Returns whether the key was taken; every other key is typed normally.
    bool Text1_KeyPress(int keyAscii);
    // Esc and the close box: the user cancelled.
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Answer(const QByteArray& answer);

    QCheckBox* Check1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QByteArray answer_;
};
