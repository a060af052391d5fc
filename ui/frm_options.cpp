#include "ui/frm_options.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/load_settings.h"
#include "ui/app_context.h"
#include "ui/user_messages.h"

frmOptions::frmOptions(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), edited_(context.settings) {
    setWindowTitle(QStringLiteral("Tallmere32 - Options"));
    CreateControls();
    ArrangeControls();
    ConnectHandlers();
    Form_Load();
}

void frmOptions::CreateControls() {
    frmDisplay = new QGroupBox(QStringLiteral("Tallmere32 Display"), this);
    frmDisplay->setObjectName(QStringLiteral("frmDisplay"));
    optBytes = NamedOption("optBytes", QStringLiteral("Bytes"));
    optKB = NamedOption("optKB", QStringLiteral("KiloBytes"));
    optMB = NamedOption("optMB", QStringLiteral("MegaBytes"));
    chkShort = NamedCheckBox("chkShort", QStringLiteral("Short Display"));
    chkSizeOnDisk = NamedCheckBox("chkSizeOnDisk", QStringLiteral("Count space on disk"));
    chkLinksOnce = NamedCheckBox("chkLinksOnce", QStringLiteral("Count hard-linked files once"));
    chkOfferTrash = NamedCheckBox("chkOfferTrash", QStringLiteral("Offer Move to Trash"));
    chkKeepHistory = NamedCheckBox("chkKeepHistory", QStringLiteral("Keep a history of summaries"));
    chkShowGrowth =
        NamedCheckBox("chkShowGrowth", QStringLiteral("Show growth since the last summary"));
    frmExcludes = new QGroupBox(QStringLiteral("Leave Out"), this);
    frmExcludes->setObjectName(QStringLiteral("frmExcludes"));
    txtExcludes = new QPlainTextEdit(this);
    txtExcludes->setObjectName(QStringLiteral("txtExcludes"));
    txtExcludes->setToolTip(QStringLiteral(
        "One shell pattern a line: a name (node_modules, *.iso) leaves out every entry of that "
        "name; a pattern with a \"/\" the entry with that absolute path (/home/*/Downloads)."));
    chkExcludeCaches =
        NamedCheckBox("chkExcludeCaches", QStringLiteral("Leave out cache folders (CACHEDIR.TAG)"));
    Frame1 = new QGroupBox(QStringLiteral("Quorvane32 Display"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    chkFloppy = NamedCheckBox("chkFloppy", QStringLiteral("Check Floppy Disks"));
    chkRemovable = NamedCheckBox("chkRemovable", QStringLiteral("Check Removable Disks"));
    chkNetwork = NamedCheckBox("chkNetwork", QStringLiteral("Check Network Disks"));
    chkCDROM = NamedCheckBox("chkCDROM", QStringLiteral("Check CDROM Disks"));
    chkShowFullIn = NamedCheckBox("chkShowFullIn", QStringLiteral("Show when volumes fill up"));
    btnOptApply = NamedButton("btnOptApply", QStringLiteral("&OK"));
    btnOptApply->setDefault(true);
    btnOptOK = NamedButton("btnOptOK", QStringLiteral("&Cancel"));
    // At most one unit is chosen; none is when the stored word is not a unit.
    auto* units = new QButtonGroup(this);
    for (QRadioButton* option : {optBytes, optKB, optMB})
        units->addButton(option);
}

QCheckBox* frmOptions::NamedCheckBox(const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QRadioButton* frmOptions::NamedOption(const char* name, const QString& caption) {
    auto* option = new QRadioButton(caption, this);
    option->setObjectName(QString::fromLatin1(name));
    return option;
}

QPushButton* frmOptions::NamedButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// The two frames on the left, one above the other; OK and Cancel at the top right.
void frmOptions::ArrangeControls() {
    auto* display = new QVBoxLayout(frmDisplay);
    for (QWidget* control : std::initializer_list<QWidget*>{
             optBytes, optKB, optMB, chkShort, chkSizeOnDisk, chkLinksOnce, chkOfferTrash,
             chkKeepHistory, chkShowGrowth})
        display->addWidget(control);
    auto* excludes = new QVBoxLayout(frmExcludes);
    excludes->addWidget(new QLabel(QStringLiteral("Patterns, one a line:"), frmExcludes));
    excludes->addWidget(txtExcludes);
    excludes->addWidget(chkExcludeCaches);
    auto* drives = new QVBoxLayout(Frame1);
    for (QWidget* control : {chkFloppy, chkRemovable, chkNetwork, chkCDROM, chkShowFullIn})
        drives->addWidget(control);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnOptApply);
    buttons->addWidget(btnOptOK);
    buttons->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(frmDisplay, 0, 0);
    layout->addWidget(frmExcludes, 2, 0);
    layout->addWidget(Frame1, 1, 0);
    layout->addLayout(buttons, 0, 1, 3, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmOptions::ConnectHandlers() {
    connect(optBytes, &QRadioButton::clicked, this, &frmOptions::optBytes_Click);
    connect(optKB, &QRadioButton::clicked, this, &frmOptions::optKB_Click);
    connect(optMB, &QRadioButton::clicked, this, &frmOptions::optMB_Click);
    connect(chkShort, &QCheckBox::clicked, this, &frmOptions::chkShort_Click);
    connect(chkSizeOnDisk, &QCheckBox::clicked, this, &frmOptions::chkSizeOnDisk_Click);
    connect(chkLinksOnce, &QCheckBox::clicked, this, &frmOptions::chkLinksOnce_Click);
    connect(chkOfferTrash, &QCheckBox::clicked, this, &frmOptions::chkOfferTrash_Click);
    connect(chkKeepHistory, &QCheckBox::clicked, this, &frmOptions::chkKeepHistory_Click);
    connect(chkShowGrowth, &QCheckBox::clicked, this, &frmOptions::chkShowGrowth_Click);
    connect(chkShowFullIn, &QCheckBox::clicked, this, &frmOptions::chkShowFullIn_Click);
    connect(txtExcludes, &QPlainTextEdit::textChanged, this, &frmOptions::txtExcludes_Change);
    connect(chkExcludeCaches, &QCheckBox::clicked, this, &frmOptions::chkExcludeCaches_Click);
    connect(chkFloppy, &QCheckBox::clicked, this, &frmOptions::chkFloppy_Click);
    connect(chkRemovable, &QCheckBox::clicked, this, &frmOptions::chkRemovable_Click);
    connect(chkNetwork, &QCheckBox::clicked, this, &frmOptions::chkNetwork_Click);
    connect(chkCDROM, &QCheckBox::clicked, this, &frmOptions::chkCDROM_Click);
    connect(btnOptApply, &QPushButton::clicked, this, &frmOptions::btnOptApply_Click);
    connect(btnOptOK, &QPushButton::clicked, this, &frmOptions::btnOptOK_Click);
}

void frmOptions::Form_Load() {
    const Settings& settings = edited_;
    chkFloppy->setChecked(settings.CheckFloppy);
    chkRemovable->setChecked(settings.CheckRemovable);
    chkNetwork->setChecked(settings.CheckNetwork);
    chkCDROM->setChecked(settings.CheckCDROM);
    chkShort->setChecked(settings.ShortDisplay);
    chkSizeOnDisk->setChecked(settings.SizeOnDisk);
    chkLinksOnce->setChecked(settings.HardLinksOnce);
    chkOfferTrash->setChecked(settings.OfferTrash);
    chkKeepHistory->setChecked(settings.KeepHistory);
    chkShowGrowth->setChecked(settings.ShowGrowth);
    chkShowFullIn->setChecked(settings.ShowFullIn);
    txtExcludes->setPlainText(settings.ExcludePatterns.join(u'\n'));
    chkExcludeCaches->setChecked(settings.ExcludeCaches);
    optBytes->setChecked(settings.Display == u"Bytes");
    optMB->setChecked(settings.Display == u"MB");
    optKB->setChecked(settings.Display == u"KB");
}

void frmOptions::optBytes_Click() {
    edited_.Display = QStringLiteral("Bytes");
}

void frmOptions::optKB_Click() {
    edited_.Display = QStringLiteral("KB");
}

void frmOptions::optMB_Click() {
    edited_.Display = QStringLiteral("MB");
}

void frmOptions::chkShort_Click() {
    edited_.ShortDisplay = chkShort->isChecked();
}

void frmOptions::chkSizeOnDisk_Click() {
    edited_.SizeOnDisk = chkSizeOnDisk->isChecked();
}

void frmOptions::chkLinksOnce_Click() {
    edited_.HardLinksOnce = chkLinksOnce->isChecked();
}

void frmOptions::chkOfferTrash_Click() {
    edited_.OfferTrash = chkOfferTrash->isChecked();
}

void frmOptions::chkKeepHistory_Click() {
    edited_.KeepHistory = chkKeepHistory->isChecked();
}

void frmOptions::chkShowGrowth_Click() {
    edited_.ShowGrowth = chkShowGrowth->isChecked();
}

void frmOptions::chkShowFullIn_Click() {
    edited_.ShowFullIn = chkShowFullIn->isChecked();
}

// Blank lines hold no pattern; a pattern keeps its blanks, which names may have.
void frmOptions::txtExcludes_Change() {
    edited_.ExcludePatterns.clear();
    for (const QString& line : txtExcludes->toPlainText().split(u'\n')) {
        if (!line.trimmed().isEmpty()) edited_.ExcludePatterns << line;
    }
}

void frmOptions::chkExcludeCaches_Click() {
    edited_.ExcludeCaches = chkExcludeCaches->isChecked();
}

void frmOptions::chkFloppy_Click() {
    edited_.CheckFloppy = chkFloppy->isChecked();
}

void frmOptions::chkRemovable_Click() {
    edited_.CheckRemovable = chkRemovable->isChecked();
}

void frmOptions::chkNetwork_Click() {
    edited_.CheckNetwork = chkNetwork->isChecked();
}

void frmOptions::chkCDROM_Click() {
    edited_.CheckCDROM = chkCDROM->isChecked();
}

QString frmOptions::ChosenDisplay() const {
    if (optBytes->isChecked()) return QStringLiteral("Bytes");
    if (optMB->isChecked()) return QStringLiteral("MB");
    if (optKB->isChecked()) return QStringLiteral("KB");
    return QString();
}

// A store that cannot be opened is told; the opener's reload then meets it again.
void frmOptions::btnOptApply_Click() {
    if (SaveSettings(*context_.services.store, edited_, ChosenDisplay()) ==
        StoreOutcome::KeyUnavailable) {
        TellUser(context_, this, QString::fromLatin1(kStoreUnavailable));
    }
    context_.settings = edited_;
    accept();
}

void frmOptions::btnOptOK_Click() {
    reject();
}

bool ShowOptions(AppContext& context, QWidget* parent) {
    frmOptions options(context, parent);
    return options.exec() == QDialog::Accepted;
}
