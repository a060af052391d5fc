#include "summary/entry.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/support/modal.h"

namespace {

// A shown dialog, driven as the user would drive it; Browse finds Folders in turn.
struct ShownEntry {
    QStringList folders;
    int browsed = 0;
    Entry entry{nullptr, [this](QWidget*) {
                    return browsed < folders.size() ? folders[browsed++] : QString();
                }};
    QLineEdit* text = entry.findChild<QLineEdit*>("Text1");
    QCheckBox* check = entry.findChild<QCheckBox*>("Check1");

    ShownEntry() { entry.show(); }
    void Type(const char* keys) { QTest::keyClicks(text, QString::fromUtf8(keys)); }
    void Press(Qt::Key key) { QTest::keyClick(text, key); }
    QPushButton* Button(QDialogButtonBox::StandardButton which) {
        return entry.findChild<QDialogButtonBox*>()->button(which);
    }
};

}  // namespace

TEST(EntryDialog, EnterAnswersTheTextAsTyped) {
    ShownEntry shown;
    shown.Type(" /srv/a;/srv/b ");
    EXPECT_TRUE(shown.entry.isVisible());  // ordinary keys are typed
    shown.Press(Qt::Key_Return);
    EXPECT_EQ(shown.entry.EntryAnswer(), " /srv/a;/srv/b ");
    EXPECT_FALSE(shown.entry.isVisible());
    EXPECT_EQ(shown.entry.result(), QDialog::Accepted);
}

TEST(EntryDialog, EscEnterOnAnEmptyBoxAndTheCloseBoxAllCancel) {
    ShownEntry escaped;
    escaped.Type("/srv");
    escaped.Press(Qt::Key_Escape);
    EXPECT_EQ(escaped.entry.EntryAnswer(), "");
    EXPECT_FALSE(escaped.entry.isVisible());

    ShownEntry empty;
    empty.Press(Qt::Key_Enter);
    EXPECT_EQ(empty.entry.EntryAnswer(), "");
    EXPECT_FALSE(empty.entry.isVisible());

    ShownEntry closed;
    closed.entry.Check1_Click();  // an earlier answer must not survive the close box
    closed.entry.show();
    closed.entry.close();
    EXPECT_EQ(closed.entry.EntryAnswer(), "");
}

TEST(EntryDialog, TheCheckBoxAnswersMyComputer) {
    ShownEntry shown;
    shown.Type("/ignored");
    shown.check->click();
    EXPECT_EQ(shown.entry.EntryAnswer(), "My Computer");
    EXPECT_FALSE(shown.entry.isVisible());
}

TEST(EntryDialog, AskRunsTheDialogModallyUntilItIsAnswered) {
    OnModal<Entry>([](Entry& entry) {
        auto* text = entry.findChild<QLineEdit*>("Text1");
        QTest::keyClicks(text, QStringLiteral("/data"));
        QTest::keyClick(text, Qt::Key_Return);
    });
    EXPECT_EQ(Entry::Ask(nullptr), "/data");
}

TEST(EntryDialog, ALabelledBoxWithOkCancelAndBrowse) {
    ShownEntry shown;
    auto* label = shown.entry.findChild<QLabel*>("Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->buddy(), shown.text);
    EXPECT_FALSE(label->text().isEmpty());
    auto* browse = shown.entry.findChild<QPushButton*>("cmdBrowse");
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(browse->text(), "&Browse ...");
    ASSERT_NE(shown.Button(QDialogButtonBox::Ok), nullptr);
    ASSERT_NE(shown.Button(QDialogButtonBox::Cancel), nullptr);

    shown.Type("/srv/a");
    shown.Button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(shown.entry.EntryAnswer(), "/srv/a");
    EXPECT_EQ(shown.entry.result(), QDialog::Accepted);

    ShownEntry cancelled;
    cancelled.Type("/srv/a");
    cancelled.Button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(cancelled.entry.EntryAnswer(), "");
    EXPECT_FALSE(cancelled.entry.isVisible());

    ShownEntry empty;
    empty.Button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(empty.entry.EntryAnswer(), "");
}

TEST(EntryDialog, BrowseAppendsEachChosenFolderAsAField) {
    ShownEntry shown;
    shown.folders = {"/srv/one", "", "/srv/two"};
    auto* browse = shown.entry.findChild<QPushButton*>("cmdBrowse");
    browse->click();
    EXPECT_EQ(shown.text->text(), "/srv/one");
    browse->click();  // the chooser was cancelled: nothing changes
    EXPECT_EQ(shown.text->text(), "/srv/one");
    browse->click();
    EXPECT_EQ(shown.text->text(), "/srv/one;/srv/two");
    EXPECT_TRUE(shown.entry.isVisible()) << "browsing answers nothing";
    shown.Press(Qt::Key_Return);
    EXPECT_EQ(shown.entry.EntryAnswer(), "/srv/one;/srv/two");
}
