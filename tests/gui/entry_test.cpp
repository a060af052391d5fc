#include "summary/entry.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "tests/support/modal.h"

namespace {

// A shown dialog, driven as the user would drive it.
struct ShownEntry {
    Entry entry;
    QLineEdit* text = entry.findChild<QLineEdit*>("Text1");
    QCheckBox* check = entry.findChild<QCheckBox*>("Check1");

    ShownEntry() { entry.show(); }
    void Type(const char* keys) { QTest::keyClicks(text, QString::fromUtf8(keys)); }
    void Press(Qt::Key key) { QTest::keyClick(text, key); }
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
