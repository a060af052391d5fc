#include "summary/scan.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>

#include "platform/dos_attributes.h"
#include "tests/support/printers.h"
#include "tests/support/temp_tree.h"
#include "tests/support/walk_trees.h"

namespace {

using Rows = std::vector<DirectoryRecord>;

Rows Scan(std::vector<QByteArray> roots, int threads = 1) {
    ScanRequest request;
    for (QByteArray& root : roots)
        request.roots.push_back(root.endsWith('/') ? root : root + '/');
    const ScanResult result = ScanDirectories(request, threads);
    EXPECT_TRUE(result.complete);
    return result.rows;
}

std::map<QByteArray, Counts> ByPath(const Rows& rows) {
    std::map<QByteArray, Counts> byPath;
    for (const DirectoryRecord& row : rows)
        byPath[row.Path] = row.counts;
    return byPath;
}

Counts Files(std::int64_t files, std::int64_t bytes, std::int64_t dirs = 0) {
    Counts counts;
    counts.Files = files;
    counts.Bytes = bytes;
    counts.Dirs = dirs;
    return counts;
}

void ExpectSameRows(const Rows& got, const Rows& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].Path, want[i].Path);
        EXPECT_EQ(got[i].counts, want[i].counts) << want[i].Path.constData();
    }
}

}  // namespace

TEST(Scan, StartRowHoldsItsOwnEntriesAndEachSubdirectoryItsSubtree) {
    TempTree tree;
    tree.File("one", 10);
    tree.File("two", 20);
    tree.File("A/x", 100);
    tree.File("A/deep/y", 1000);
    tree.Dir("B");
    const Rows rows = Scan({tree.Path()});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Path, tree.Path() + "/");
    EXPECT_EQ(rows[0].counts, Files(2, 30, 2));
    std::map<QByteArray, Counts> byPath = ByPath(rows);
    EXPECT_EQ(byPath[tree.Path("A/")], Files(2, 1100, 1));
    EXPECT_EQ(byPath[tree.Path("B/")], Files(0, 0, 0));
}

TEST(Scan, EmptyMissingAndFileStartDirectoriesGetOneEmptyRow) {
    TempTree tree;
    tree.Dir("empty");
    tree.File("plain", 5);
    const Rows rows = Scan({tree.Path("empty"), tree.Path("missing"), tree.Path("plain")});
    ASSERT_EQ(rows.size(), 3u);
    for (const DirectoryRecord& row : rows)
        EXPECT_EQ(row.counts, Counts{});
    EXPECT_EQ(rows[1].Path, tree.Path("missing/"));
}

TEST(Scan, AttributesCountInEveryCategoryTheyBelongTo) {
    TempTree tree;
    tree.File(".dotfile", 7);
    tree.File("all", 100);
    if (!tree.DosAttributes("all", dos::kHidden | dos::kSystem | dos::kArchive | dos::kReadOnly)) {
        GTEST_SKIP() << "no user xattrs here";
    }
    tree.File("archived", 1000);
    tree.DosAttributes("archived", dos::kArchive, TempTree::DosForm::Text);
    tree.Dir(".hiddendir");
    tree.Dir("markeddir");
    tree.DosAttributes("markeddir", dos::kHidden | dos::kDirectory);
    const Counts start = Scan({tree.Path()})[0].counts;
    EXPECT_EQ(start.Files, 3);
    EXPECT_EQ(start.Bytes, 1107);
    EXPECT_EQ(start.HiddenFiles, 2);
    EXPECT_EQ(start.HiddenBytes, 107);
    EXPECT_EQ(start.SystemFiles, 1);
    EXPECT_EQ(start.SystemBytes, 100);
    EXPECT_EQ(start.ArchiveFiles, 2);
    EXPECT_EQ(start.ArchiveBytes, 1100);
    EXPECT_EQ(start.Dirs, 2);
    EXPECT_EQ(start.HiddenDirs, 2);
}

TEST(Scan, SymbolicLinksAreFilesOfTheirOwnSizeAndNeverFollowed) {
    TempTree tree;
    tree.File("sub/big", 5000);
    tree.Symlink("sub/up", "..");
    tree.Symlink("sub/dangling", "nowhere-at-all");
    tree.Symlink("tosub", "sub");
    const std::map<QByteArray, Counts> byPath = ByPath(Scan({tree.Path()}));
    EXPECT_EQ(byPath.at(tree.Path() + "/"), Files(1, 3, 1));
    EXPECT_EQ(byPath.at(tree.Path("sub/")), Files(3, 5000 + 2 + 14, 0));
}

TEST(Scan, SizesPastFourGibibytesAndOddNamesAreExact) {
    TempTree tree;
    const std::int64_t huge = 5368709120;  // 5 GiB, sparse
    tree.File("big", huge);
    tree.File("max32", 4294967295);
    const QByteArray odd = "a, \"quoted\" name\n\xff\xfe";
    tree.File(odd + "/inner", 1);
    const Rows rows = Scan({tree.Path()});
    EXPECT_EQ(rows[0].counts.Bytes, huge + 4294967295);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].Path, tree.Path() + "/" + odd + "/");
    EXPECT_EQ(rows[1].counts, Files(1, 1));
}

TEST(Scan, SeveralStartDirectoriesKeepTheirOrder) {
    TempTree tree;
    tree.File("second/s", 2);
    tree.File("first/f", 1);
    tree.Dir("first/sub");
    const Rows rows = Scan({tree.Path("second"), tree.Path("first")});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Path, tree.Path("second/"));
    EXPECT_EQ(rows[1].Path, tree.Path("first/"));
    EXPECT_EQ(rows[2].Path, tree.Path("first/sub/"));
}

TEST(Scan, PathsLongerThanPathMaxAreWalkedWhole) {
    TempTree tree;
    tree.Dir("chain");
    int fd = open(tree.Path("chain").constData(), O_RDONLY | O_DIRECTORY);
    const QByteArray level(100, 'n');
    for (int depth = 0; depth < 60; ++depth) {  // 6000 bytes of path
        ASSERT_EQ(mkdirat(fd, level.constData(), 0755), 0);
        const int next = openat(fd, level.constData(), O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = next;
        close(openat(fd, "file", O_CREAT | O_WRONLY, 0644));
    }
    close(fd);
    const Rows rows = Scan({tree.Path()});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].counts, Files(60, 0, 60));
}

TEST(Scan, ParallelWalkGivesTheRowsOfAOneThreadWalk) {
    TempTree tree;
    RandomTree(tree, 300, 3000, 7);
    const Rows single = Scan({tree.Path()}, 1);
    for (int threads : {2, 4, 8})
        ExpectSameRows(Scan({tree.Path()}, threads), single);
}

// Listings of many batches are read by several threads at once; the start directory's
// subdirectories must still come out in listing order, each with its own figures.
TEST(Scan, WideDirectoriesReadBySeveralThreadsGiveTheRowsOfOneThread) {
    TempTree tree;
    WideFolder(tree, "", 600, 1500);
    WideFolder(tree, WideName('d', 7) + "/inner", 300, 2000);
    const Rows single = Scan({tree.Path()}, 1);
    ASSERT_EQ(single.size(), 601u);
    EXPECT_EQ(single[0].counts, Files(1500, 1499 * 1500 / 2, 600));
    for (const DirectoryRecord& row : single) {
        if (row.Path.endsWith(WideName('d', 7) + '/')) {
            EXPECT_EQ(row.counts, Files(1 + 300 + 2000, 1 + 300 + 1999 * 2000 / 2, 301));
        } else if (&row != &single[0]) {
            EXPECT_EQ(row.counts, Files(1, 1));
        }
    }
    for (int round = 0; round < 3; ++round) {
        for (int threads : {2, 4, 8})
            ExpectSameRows(Scan({tree.Path()}, threads), single);
    }
}

TEST(Scan, ManyStartDirectoriesKeepTheirOrderWhateverTheThreads) {
    TempTree tree;
    RandomTree(tree, 100, 500, 13);
    std::vector<QByteArray> roots;
    for (int i = 39; i >= 0; --i) {
        tree.File("start" + QByteArray::number(i) + "/sub" + QByteArray::number(i % 3) + "/f", i);
        roots.push_back(tree.Path("start" + QByteArray::number(i)));
    }
    roots.insert(roots.begin() + 20, {tree.Path(), tree.Path("missing"), tree.Path("start5")});
    const Rows single = Scan(roots, 1);
    EXPECT_EQ(single[0].Path, roots[0] + '/');
    EXPECT_EQ(single.back().Path, roots.back() + "/sub0/");
    for (int threads : {2, 4, 8})
        ExpectSameRows(Scan(roots, threads), single);
}

TEST(Scan, LeavesNoHandleOpen) {
    TempTree tree;
    RandomTree(tree, 200, 1000, 11);
    const int before = OpenDescriptors();
    Scan({tree.Path(), tree.Path("missing")}, 3);
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST(Scan, UnreadableDirectoriesCountAsEmpty) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to drop to another user";
    TempTree tree;
    chmod(tree.Path().constData(), 0755);
    tree.File("open/f", 3);
    tree.File("locked/hidden-inside", 9);
    tree.Unreadable("locked");
    tree.Unreadable("sealed");
    // A child process walks as nobody and reports the rows' file counts.
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
        QByteArray report;
        for (const DirectoryRecord& row : Scan({tree.Path()}, 2)) {
            report +=
                row.Path.mid(tree.Path().size()) + "=" + QByteArray::number(row.counts.Files) + ";";
        }
        (void)!write(pipeFds[1], report.constData(), report.size());
        _exit(0);
    }
    close(pipeFds[1]);
    char buffer[512] = {};
    (void)!read(pipeFds[0], buffer, sizeof buffer - 1);
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "cannot become nobody";
    const QByteArray report(buffer);
    EXPECT_TRUE(report.contains("/=0;")) << report.constData();
    EXPECT_TRUE(report.contains("/open/=1;")) << report.constData();
    EXPECT_TRUE(report.contains("/locked/=0;")) << report.constData();
    EXPECT_TRUE(report.contains("/sealed/=0;")) << report.constData();
}
