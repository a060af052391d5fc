#include "summary/entry.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

QString ChooseFolder(QWidget* parent) {
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Browse for a Directory"));
}

}  // namespace

Entry::Entry(QWidget* parent, FolderChooser chooseFolder)
    : QDialog(parent), chooseFolder_(chooseFolder ? std::move(chooseFolder) : ChooseFolder) {
    setWindowTitle(QStringLiteral("Start Directory"));
    CreateControls();
    connect(Check1, &QCheckBox::clicked, this, &Entry::Check1_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &Entry::cmdBrowse_Click);
    connect(buttons_, &QDialogButtonBox::accepted, this, &Entry::AnswerText);
    connect(buttons_, &QDialogButtonBox::rejected, this, &Entry::reject);
    Text1->setFocus();
}

void Entry::CreateControls() {
    Check1 = new QCheckBox(QStringLiteral("&Summarize \"My Computer\""), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setToolTip(QStringLiteral("Click to summarize all local disks"));
    auto* label = new QLabel(QStringLiteral("&Directories, separated by \";\":"), this);
    label->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setToolTip(QStringLiteral("Enter Disks or Directories separated by \";\""));
    Text1->setMinimumWidth(Text1->fontMetrics().averageCharWidth() * 48);
    Text1->installEventFilter(this);
    label->setBuddy(Text1);
    cmdBrowse = new QPushButton(QStringLiteral("&Browse ..."), this);
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    cmdBrowse->setAutoDefault(false);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->setObjectName(QStringLiteral("Buttons"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(Text1, 1, 0);
    layout->addWidget(cmdBrowse, 1, 1);
    layout->addWidget(Check1, 2, 0, 1, 2);
    layout->addWidget(buttons_, 3, 0, 1, 2);
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
    if (keyAscii == kEnter) AnswerText();
    if (keyAscii == kEscape) Answer({});
    return keyAscii == kEnter || keyAscii == kEscape;
}

void Entry::AnswerText() {
    Answer(QFile::encodeName(Text1->text()));
}

void Entry::cmdBrowse_Click() {
    const QString folder = chooseFolder_(this);
    if (!folder.isEmpty()) Text1->setText(WithFolderAppended(Text1->text(), folder));
    Text1->setFocus();
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

QString WithFolderAppended(const QString& text, const QString& folder) {
    if (text.isEmpty() || text.endsWith(u';')) return text + folder;
    return text + u';' + folder;
}
