#include "summary/entry.h"

#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;

int KeyAsciiOf(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kEnter;
        case Qt::Key_Escape:
            return kEscape;
        default:
            return 0;
    }
}

}  // namespace

Entry::Entry(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Start Directory"));
    Check1 = new QCheckBox(QStringLiteral("&Summarize \"My Computer\""), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setToolTip(QStringLiteral("Click to summarize all local disks"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setToolTip(QStringLiteral("Enter Disks or Directories separated by \";\""));
    Text1->setMinimumWidth(Text1->fontMetrics().averageCharWidth() * 48);
    Text1->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Check1);
    layout->addWidget(Text1);
    connect(Check1, &QCheckBox::clicked, this, &Entry::Check1_Click);
    Text1->setFocus();
}

QByteArray Entry::Ask(QWidget* parent) {
    Entry entry(parent);
    entry.exec();
    return entry.EntryAnswer();
}

void Entry::Check1_Click() {
    Answer(QByteArrayLiteral("My Computer"));
}

bool Entry::Text1_KeyPress(int keyAscii) {
    if (keyAscii != kEnter && keyAscii != kEscape) return false;
    const bool cancelled = keyAscii == kEscape || Text1->text().isEmpty();
    Answer(cancelled ? QByteArray() : QFile::encodeName(Text1->text()));
    return true;
}

void Entry::reject() {
    answer_.clear();
    QDialog::reject();
}

void Entry::Answer(const QByteArray& answer) {
    answer_ = answer;
    done(answer.isEmpty() ? Rejected : Accepted);
}

bool Entry::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        return Text1_KeyPress(KeyAsciiOf(*static_cast<QKeyEvent*>(event)));
    }
    return QDialog::eventFilter(watched, event);
}
