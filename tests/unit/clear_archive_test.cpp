#include "census/clear_archive.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <cerrno>

#include "platform/directory_walk.h"
#include "platform/dos_attributes.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/temp_tree.h"

namespace {

using dos::kArchive;
using dos::kDirectory;
using dos::kHidden;
using dos::kReadOnly;
using dos::kSystem;
using Form = TempTree::DosForm;

// The user.DOSATTRIB value of an entry itself (never through a link); "-" when it has none.
QByteArray StoredValue(const QByteArray& path) {
    char value[256];
    const ssize_t length = lgetxattr(path.constData(), "user.DOSATTRIB", value, sizeof value);
    return length < 0 ? QByteArray("-") : QByteArray(value, length);
}

// A chosen folder "top" holding read-only, hidden, plain and unreadable-valued files, a
// subdirectory tree, and links to archived entries of a second tree outside it.
class ClearArchiveTreeTest : public testing::Test {
  protected:
    void SetUp() override {
        tree_.Dir("top");
        if (!tree_.DosAttributes("top", kDirectory | kArchive)) {
            GTEST_SKIP() << "no user xattrs here";
        }
        Mark("top/readonly", kReadOnly | kArchive, Form::Text);
        Mark("top/hidden", kHidden | kSystem | kArchive, Form::Record);
        Mark("top/cleared", kHidden, Form::TextWithNul);
        tree_.File("top/plain");
        tree_.File("top/junk");
        tree_.Xattr("top/junk", "user.DOSATTRIB", "junk");
        tree_.Dir("top/sub");
        tree_.DosAttributes("top/sub", kDirectory | kArchive, Form::Text);
        Mark("top/sub/inner", kArchive, Form::Record);
        tree_.Dir("top/sub/deeper");
        tree_.DosAttributes("top/sub/deeper", kDirectory | kArchive | kHidden, Form::Record);
        Mark("top/sub/deeper/leaf", kArchive, Form::TextWithNul);
        outside_.Dir("dir");
        outside_.DosAttributes("dir", kDirectory | kArchive);
        outsideFile_ = outside_.Path("file");
        outside_.File("file");
        outside_.DosAttributes("file", kArchive);
        outside_.File("dir/inside");
        outside_.DosAttributes("dir/inside", kArchive);
        tree_.Symlink("top/link-to-file", outsideFile_);
        tree_.Symlink("top/link-to-dir", outside_.Path("dir"));
    }

    void Mark(const QByteArray& relative, std::uint32_t attributes, Form form) {
        tree_.File(relative);
        tree_.DosAttributes(relative, attributes, form);
    }

    bool Clear(ClearDepth depth, int threads = 2) {
        const ClearOutcome outcome = ClearArchiveTree(tree_.Path("top"), "", depth, threads, {});
        EXPECT_TRUE(outcome.unread.empty());
        EXPECT_TRUE(outcome.notChanged.empty());
        return outcome.complete;
    }

    QByteArray Value(const QByteArray& relative) { return StoredValue(tree_.Path(relative)); }

    void ExpectOutsideUntouched() {
        EXPECT_EQ(StoredValue(outsideFile_), SambaDosValue(kArchive, Form::Record));
        EXPECT_EQ(StoredValue(outside_.Path("dir")),
                  SambaDosValue(kDirectory | kArchive, Form::Record));
        EXPECT_EQ(StoredValue(outside_.Path("dir/inside")), SambaDosValue(kArchive, Form::Record));
    }

    TempTree tree_;
    TempTree outside_;
    QByteArray outsideFile_;
};

}  // namespace

TEST_F(ClearArchiveTreeTest, ImmediateClearsTheEntriesDirectlyInsideAndEntersNone) {
    EXPECT_TRUE(Clear(ClearDepth::Immediate));
    EXPECT_EQ(Value("top/readonly"), SambaDosValue(kReadOnly, Form::Text));
    EXPECT_EQ(Value("top/hidden"), SambaDosValue(kHidden | kSystem, Form::Record));
    EXPECT_EQ(Value("top/cleared"), SambaDosValue(kHidden, Form::TextWithNul));
    EXPECT_EQ(Value("top/plain"), "-");
    EXPECT_EQ(Value("top/junk"), "junk");
    EXPECT_EQ(Value("top/sub"), SambaDosValue(kDirectory, Form::Text));
    EXPECT_EQ(Value("top/sub/inner"), SambaDosValue(kArchive, Form::Record));
    EXPECT_EQ(Value("top/sub/deeper"),
              SambaDosValue(kDirectory | kArchive | kHidden, Form::Record));
    EXPECT_EQ(Value("top"), SambaDosValue(kDirectory | kArchive, Form::Record));
    ExpectOutsideUntouched();
}

TEST_F(ClearArchiveTreeTest, RecursiveClearsTheWholeTreeButNotItsTopOrWhatLinksReach) {
    EXPECT_TRUE(Clear(ClearDepth::Recursive));
    EXPECT_EQ(Value("top/readonly"), SambaDosValue(kReadOnly, Form::Text));
    EXPECT_EQ(Value("top/junk"), "junk");
    EXPECT_EQ(Value("top/sub"), SambaDosValue(kDirectory, Form::Text));
    EXPECT_EQ(Value("top/sub/inner"), SambaDosValue(0, Form::Record));
    EXPECT_EQ(Value("top/sub/deeper"), SambaDosValue(kDirectory | kHidden, Form::Record));
    EXPECT_EQ(Value("top/sub/deeper/leaf"), SambaDosValue(0, Form::TextWithNul));
    EXPECT_EQ(Value("top"), SambaDosValue(kDirectory | kArchive, Form::Record));
    ExpectOutsideUntouched();
}

// The summary counted top/sub; before the clear, sub became a link out of the tree, and so did
// a folder on the way to a deeper row.
TEST_F(ClearArchiveTreeTest, AFolderThatBecameALinkIsSkippedNeverFollowed) {
    ASSERT_EQ(rename(tree_.Path("top/sub").constData(), tree_.Path("sub-moved").constData()), 0);
    tree_.Symlink("top/sub", outside_.Path("dir"));
    for (const QByteArray& below : {QByteArray("sub"), QByteArray("sub/deeper")}) {
        const ClearOutcome outcome =
            ClearArchiveTree(tree_.Path("top"), below, ClearDepth::Recursive, 2, {});
        EXPECT_TRUE(outcome.complete);
        EXPECT_EQ(outcome.notChanged,
                  (std::vector<UnreadDirectory>{{tree_.Path("top/" + below), ENOTDIR}}))
            << below.constData();
        EXPECT_TRUE(outcome.unread.empty());
    }
    ExpectOutsideUntouched();
    const ClearOutcome moved =
        ClearArchiveTree(tree_.Path(), "sub-moved/deeper", ClearDepth::Recursive, 1, {});
    EXPECT_TRUE(moved.notChanged.empty());
    EXPECT_EQ(Value("sub-moved/deeper/leaf"), SambaDosValue(0, Form::TextWithNul));
}

TEST(ClearArchiveTree, AnEmptyFolderIsLeftAloneAndAMissingOneCounted) {
    TempTree tree;
    tree.Dir("empty");
    const ClearOutcome empty =
        ClearArchiveTree(tree.Path("empty"), "", ClearDepth::Recursive, 1, {});
    EXPECT_TRUE(empty.complete);
    EXPECT_TRUE(empty.unread.empty());
    const ClearOutcome missing =
        ClearArchiveTree(tree.Path("missing"), "", ClearDepth::Recursive, 1, {});
    EXPECT_TRUE(missing.complete);
    EXPECT_EQ(missing.unread, (std::vector<UnreadDirectory>{{tree.Path("missing"), ENOENT}}));
}

TEST_F(ClearArchiveTreeTest, EntriesThatCannotBeChangedAndUnreadFoldersAreCounted) {
    chmod(tree_.Path().constData(), 0755);
    chmod(tree_.Path("top").constData(), 0755);
    tree_.Unreadable("top/sub/deeper");
    // As an ordinary user, the files of another user cannot be changed.
    const QByteArray outcome = AsOrdinaryUser([&] {
        const ClearOutcome cleared =
            ClearArchiveTree(tree_.Path("top"), "", ClearDepth::Recursive, 2, {});
        QByteArray text = QByteArray::number(cleared.notChanged.size());
        for (const UnreadDirectory& entry : cleared.notChanged) {
            if (entry.error != EACCES) text += " error " + QByteArray::number(entry.error);
        }
        for (const UnreadDirectory& folder : cleared.unread)
            text += ' ' + folder.path.mid(tree_.Path().size());
        return text;
    });
    if (geteuid() == 0) {
        EXPECT_EQ(outcome, "5 /top/sub/deeper")
            << "readonly, hidden, sub, sub/inner and deeper itself, each for want of permission";
    } else {
        EXPECT_EQ(outcome, "0 /top/sub/deeper");
    }
}
