#include <gtest/gtest.h>
#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "census/program_options.h"
#include "drives/frm_quorvane.h"
#include "help/context_ids.h"
#include "help/help_viewer.h"
#include "summary/tallmere.h"
#include "tests/support/qt_print.h"
#include "ui/app_context.h"

namespace {

// Where the build puts tallmere32 and, beside it, its manual.
const QString kProgramDir = QStringLiteral(TALLMERE_PROGRAM_DIR);

QString Manual() {
    QFile file(HelpFileSetting(kProgramDir));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return QString::fromUtf8(file.readAll());
}

QSet<QString> Captures(const QString& text, const QString& pattern) {
    QSet<QString> found;
    for (const QRegularExpressionMatch& match : QRegularExpression(pattern).globalMatch(text))
        found.insert(match.captured(1));
    return found;
}

// The captions of every menu item of Window, without their "&" marks.
QStringList MenuCaptions(const QMainWindow& window) {
    QStringList captions;
    for (const QAction* action : window.menuBar()->findChildren<QAction*>()) {
        if (!action->text().isEmpty()) captions << QString(action->text()).remove('&');
    }
    return captions;
}

}  // namespace

TEST(Help, ContentsOpensTheManualAtItsTopAndQuitClosesIt) {
    ContextIDs help(kProgramDir);
    help.QuitHelp();  // never opened: nothing to close, nothing breaks
    QWidget owner;
    help.InitHelp(&owner);
    EXPECT_EQ(help.HelpFile(), kProgramDir + "/Tallmere32.HLP");
    help.ShowContents();
    HelpViewer* viewer = help.Viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle(), "Tallmere32 Help");
    QTextBrowser& browser = viewer->Browser();
    browser.setSource(QUrl("#commandline"));
    EXPECT_GT(browser.verticalScrollBar()->value(), 0);
    help.ShowContents();
    EXPECT_EQ(browser.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(browser.toPlainText().startsWith("Tallmere32 Help"));
    help.QuitHelp();
    EXPECT_FALSE(viewer->isVisible());
}

TEST(Help, ASectionOpensTheManualThere) {
    ContextIDs help(kProgramDir);
    help.InitHelp(nullptr);
    help.ShowSection("disks");
    ASSERT_NE(help.Viewer(), nullptr);
    QTextBrowser& browser = help.Viewer()->Browser();
    EXPECT_TRUE(help.Viewer()->isVisible());
    EXPECT_EQ(browser.source().fragment(), "disks");
    EXPECT_GT(browser.verticalScrollBar()->value(), 0);
    help.ShowContents();
    EXPECT_EQ(browser.verticalScrollBar()->value(), 0);
    help.QuitHelp();
}

TEST(Help, AMissingManualIsToldInTheHelpWindow) {
    const QTemporaryDir empty;
    ContextIDs help(empty.path());
    help.InitHelp(nullptr);
    help.ShowContents();
    ASSERT_NE(help.Viewer(), nullptr);
    const QString shown = help.Viewer()->Browser().toPlainText();
    EXPECT_TRUE(shown.contains("could not be read")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(empty.path() + "/Tallmere32.HLP"));
}

TEST(Help, EveryLinkOfTheManualLeadsToAPlaceInIt) {
    const QString manual = Manual();
    const QSet<QString> targets = Captures(manual, R"re(href="#([\w-]+)")re");
    const QSet<QString> anchors = Captures(manual, R"re(name="([\w-]+)")re");
    EXPECT_GE(targets.size(), 20);
    for (const QString& target : targets)
        EXPECT_TRUE(anchors.contains(target)) << target.toStdString();
}

TEST(Help, TheManualNamesEveryOptionAndEveryMenuItemOfBothWindows) {
    const QString manual = Manual();
    for (const QString& option : Captures(UsageText(), R"((?<![\w-])(--?[a-z](?:[a-z-]*[a-z])?))"))
        EXPECT_TRUE(manual.contains("<code>" + option)) << option.toStdString();
    AppContext context;
    const Tallmere summary(context, {});
    const frmQuorvane disks(context);
    for (const QString& caption : MenuCaptions(summary) + MenuCaptions(disks))
        EXPECT_TRUE(manual.contains(caption)) << caption.toStdString();
}

// Contents, a link, another link, Back, Forward: each step shows the page it names, in the
// order the pages were visited, and the toolbar's Back and Forward buttons do the same.
TEST(Help, BackAndForwardRetraceThePagesVisited) {
    ContextIDs help(kProgramDir);
    help.InitHelp(nullptr);
    help.ShowContents();
    HelpViewer* viewer = help.Viewer();
    ASSERT_NE(viewer, nullptr);
    QTextBrowser& browser = viewer->Browser();
    const auto at = [&] { return browser.source().fragment(); };
    const auto press = [&](const char* name) {
        QAction* action = viewer->findChild<QAction*>(name);
        ASSERT_TRUE(action->isEnabled()) << name;
        action->trigger();
    };
    // As a clicked link does: the link resolved against the page shown.
    const auto follow = [&](const char* link) {
        browser.setSource(browser.source().resolved(QUrl(link)));
    };
    follow("#sorting");
    const int sortingTop = browser.verticalScrollBar()->value();
    follow("#navigation");
    const int navigationTop = browser.verticalScrollBar()->value();
    EXPECT_GT(navigationTop, sortingTop);
    press("Back");
    EXPECT_EQ(at(), "sorting");
    EXPECT_EQ(browser.verticalScrollBar()->value(), sortingTop);
    press("Forward");
    EXPECT_EQ(at(), "navigation");
    EXPECT_EQ(browser.verticalScrollBar()->value(), navigationTop);
    press("Back");
    press("Back");
    EXPECT_EQ(at(), "");
    EXPECT_EQ(browser.verticalScrollBar()->value(), 0);
    press("Forward");
    EXPECT_EQ(at(), "sorting");
    EXPECT_EQ(browser.verticalScrollBar()->value(), sortingTop);
}
