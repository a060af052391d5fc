#include "ui/my_info.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtMath>

#include "table/version.h"

namespace {

constexpr int kPictureSize = 48;

const char* const kCredit = "Written by the Tallmere32 team";
const char* const kReleaseDate = "Released December 2026";
const char* const kAddress = "https://tallmere32.example.org";
const char* const kNotice = "Free software, provided as is, without any warranty.";

QString AboutText() {
    return QStringList{QString::fromUtf8(kCredit),
                       QStringLiteral("Version ") + QString::fromLatin1(kProgramVersion),
                       QString::fromUtf8(kReleaseDate)}
        .join(u'\n');
}

}  // namespace

QPixmap ProgramPicture() {
    QPixmap picture(kPictureSize, kPictureSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disk(2, 2, kPictureSize - 4, kPictureSize - 4);
    painter.setBrush(QColor(0x2e, 0x6f, 0xb7));
    painter.drawPie(disk, 90 * 16, 250 * 16);
    painter.setBrush(QColor(0xf2, 0xb1, 0x34));
    painter.drawPie(disk.translated(2, -2), 340 * 16, 110 * 16);
    return picture;
}

QIcon ProgramIcon(const QString& desktopId) {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral(":/icons/%1x%1/apps/%2.png").arg(size).arg(desktopId);
        if (QFile::exists(file)) icon.addFile(file, QSize(size, size));
    }
    return icon.isNull() ? QIcon(ProgramPicture()) : icon;
}

MyInfo::MyInfo(bool& debugMode, QWidget* parent) : QDialog(parent), debugMode_(debugMode) {
    setWindowTitle(QStringLiteral("About"));
    CreateControls();
    ArrangeControls();
    connect(Command1, &QPushButton::clicked, this, &MyInfo::Command1_Click);
    connect(Image1, &QToolButton::clicked, this, &MyInfo::Image1_Click);
}

void MyInfo::CreateControls() {
    Image1 = new QToolButton(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAutoRaise(true);
    Image1->setIcon(ProgramPicture());
    Image1->setIconSize(QSize(kPictureSize, kPictureSize));
    Label1 = NamedLabel("Label1", QStringLiteral("Tallmere32 & Quorvane32"));
    Label1->setFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));
    Label2 = NamedLabel("Label2", QString::fromLatin1(kAddress));
    Label4 = NamedLabel("Label4", QString::fromUtf8(kNotice));
    Text1 = new QPlainTextEdit(AboutText(), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setFont(QFont(QStringLiteral("Times New Roman"), 11));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const qreal margins = 2 * (Text1->frameWidth() + Text1->document()->documentMargin());
    Text1->setFixedHeight(Text1->fontMetrics().lineSpacing() * 3 + qCeil(margins));
    Command1 = new QPushButton(QStringLiteral("Co&ntinue"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
}

QLabel* MyInfo::NamedLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

void MyInfo::ArrangeControls() {
    auto* layout = new QGridLayout(this);
    layout->addWidget(Image1, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(Label1, 0, 1);
    layout->addWidget(Text1, 1, 1);
    layout->addWidget(Label2, 2, 1);
    layout->addWidget(Label4, 3, 1);
    layout->addWidget(Command1, 4, 1, Qt::AlignRight);
}

void MyInfo::Command1_Click() {
    close();
}

void MyInfo::Image1_Click() {
    debugMode_ = !debugMode_;
}
