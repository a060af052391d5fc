#include "help/help_viewer.h"

#include <QAction>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolBar>

#include "ui/twips.h"

namespace {

constexpr int kWidthTwips = 10500;
constexpr int kHeightTwips = 9500;
const char* const kTitle = "Tallmere32 Help";

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromLatin1(kTitle));
    setAttribute(Qt::WA_QuitOnClose, false);  // the summary window decides when the program ends
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("Browser"));
    browser_->setOpenExternalLinks(true);
    setCentralWidget(browser_);
    CreateToolBar();
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpViewer::TakeDocumentTitle);
    resize(TwipsToPixels(kWidthTwips), TwipsToPixels(kHeightTwips));
}

void HelpViewer::CreateToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Navigation"));
    bar->setObjectName(QStringLiteral("Navigation"));
    bar->setMovable(false);
    QAction* contents =
        bar->addAction(QStringLiteral("&Contents"), this, &HelpViewer::GoToContents);
    contents->setObjectName(QStringLiteral("Contents"));
    contents->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    QAction* back = bar->addAction(QStringLiteral("&Back"), browser_, &QTextBrowser::backward);
    back->setObjectName(QStringLiteral("Back"));
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward = bar->addAction(QStringLiteral("&Forward"), browser_, &QTextBrowser::forward);
    forward->setObjectName(QStringLiteral("Forward"));
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    QAction* close = bar->addAction(QStringLiteral("C&lose"), this, &QWidget::close);
    close->setObjectName(QStringLiteral("Close"));
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});
}

void HelpViewer::ShowContents(const QString& path) {
    if (path != path_) Load(path);
    GoToContents();
    BringForward();
}

void HelpViewer::ShowSection(const QString& path, const QString& anchor) {
    if (path != path_) Load(path);
    if (QFileInfo(path).isReadable()) {
        QUrl section = QUrl::fromLocalFile(path);
        section.setFragment(anchor);
        browser_->setSource(section, QTextDocument::HtmlResource);
    }
    BringForward();
}

void HelpViewer::BringForward() {
    show();
    raise();
    activateWindow();
}

void HelpViewer::Load(const QString& path) {
    path_ = path;
    browser_->clearHistory();
    if (!QFileInfo(path).isReadable()) {
        ShowMissing(path);
        return;
    }
    browser_->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
}

void HelpViewer::ShowMissing(const QString& path) {
    browser_->setHtml(
        QStringLiteral("<h2>No help file</h2><p>The help file <tt>%1</tt> could not be read. It "
                       "belongs in the same folder as the tallmere32 program, or in "
                       "<tt>share/tallmere32/</tt> of its installation.</p>")
            .arg(path.toHtmlEscaped()));
}

void HelpViewer::GoToContents() {
    if (browser_->source().isValid() && browser_->source().hasFragment()) browser_->home();
    browser_->verticalScrollBar()->setValue(0);
}

void HelpViewer::TakeDocumentTitle() {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QString::fromLatin1(kTitle) : title);
}
