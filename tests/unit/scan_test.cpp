#include "census/scan.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <system_error>

#include "census/summary_data.h"
#include "platform/directory_walk.h"
#include "platform/dos_attributes.h"
#include "table/figure.h"
#include "tests/support/ordinary_user.h"
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

Counts Files(Figure files, Figure bytes, Figure dirs = 0) {
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
    EXPECT_EQ(rows[0].skipped, Skipped{});
    EXPECT_EQ(rows[1].skipped, (Skipped{{{tree.Path("missing"), ENOENT}}, 0}));
    EXPECT_EQ(rows[2].skipped, (Skipped{{{tree.Path("plain"), ENOTDIR}}, 0}));
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

// A file whose stored attributes may not be read is not taken for one without any: it is one
// of the entries that could not be sized, and the row says so.
TEST(Scan, FilesWhoseAttributesCannotBeReadAreNotSized) {
    TempTree tree;
    chmod(tree.Path().constData(), 0755);
    tree.File("archived", 10);
    tree.File("sealed", 20);
    if (!tree.DosAttributes("sealed", dos::kArchive)) GTEST_SKIP() << "no user xattrs here";
    tree.DosAttributes("archived", dos::kArchive);
    chmod(tree.Path("sealed").constData(), 0);
    const QByteArray report = AsOrdinaryUser([&] {
        const DirectoryRecord row = Scan({tree.Path()})[0];
        return FigureDigits(row.counts.Files) + " " + FigureDigits(row.counts.ArchiveFiles) + " " +
               QByteArray::number(row.skipped.unsized);
    });
    EXPECT_EQ(report, "1 1 1");
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

// Files linked from many folders count once, in the first row holding a link, and neither
// the rows nor the total depend on which thread met which link first.
TEST(Scan, HardLinkedFilesCountOnceInTheirFirstRowWhateverTheThreads) {
    TempTree tree;
    RandomTree(tree, 60, 300, 3);
    tree.File("own", 10);
    for (int i = 0; i < 40; ++i) {
        const QByteArray link = "sub" + QByteArray::number(i % 7) + "/link" + QByteArray::number(i);
        tree.Dir(link.left(link.indexOf('/')));
        ASSERT_EQ(::link(tree.Path("own").constData(), tree.Path(link).constData()), 0);
    }
    ScanRequest request{{tree.Path() + '/'}, false, nullptr};
    const Rows all = ScanDirectories(request, 1).rows;
    request.counting.linksOnce = true;
    const Rows once = ScanDirectories(request, 1).rows;
    EXPECT_EQ(once[0].counts.Files, all[0].counts.Files);  // the start row met "own" first
    Counts allTotal, onceTotal;
    for (std::size_t row = 0; row < all.size(); ++row) {
        allTotal += all[row].counts;
        onceTotal += once[row].counts;
    }
    EXPECT_EQ(allTotal.Files - onceTotal.Files, 40);
    EXPECT_EQ(allTotal.Bytes - onceTotal.Bytes, 400);
    for (int threads : {2, 3, 8})
        ExpectSameRows(ScanDirectories(request, threads).rows, once);
}

// The system refuses every thread but the calling one: it walks alone, to the same rows.
TEST(Scan, ThreadsTheSystemWillNotStartAreDoneWithout) {
    struct NoThreads final : WalkFaults {
        void ThreadStarting() override {
            throw std::system_error(EAGAIN, std::generic_category(), "no thread");
        }
    } faults;
    TempTree tree;
    RandomTree(tree, 100, 1000, 5);
    ScanRequest request{{tree.Path() + '/'}, false, &faults};
    const ScanResult refused = ScanDirectories(request, 8);
    EXPECT_TRUE(refused.complete);
    ExpectSameRows(refused.rows, Scan({tree.Path()}, 1));
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

TEST(Scan, UnreadableDirectoriesCountAsEmptyAndAreReportedWithTheirReasons) {
    TempTree tree;
    chmod(tree.Path().constData(), 0755);
    tree.File("open/f", 3);
    tree.File("locked/hidden-inside", 9);
    tree.Unreadable("locked");
    tree.File("listed/a", 1);
    tree.File("listed/b", 2);
    chmod(tree.Path("listed").constData(), 0444);  // may be listed, not entered
    // The rows: path, files, unread folders with their errno, entries not sized.
    const QByteArray report = AsOrdinaryUser([&] {
        QByteArray rows;
        for (const DirectoryRecord& row : Scan({tree.Path()}, 2)) {
            rows += row.Path.mid(tree.Path().size()) + " " + FigureDigits(row.counts.Files);
            for (const UnreadDirectory& folder : row.skipped.unread)
                rows += " " + folder.path.mid(tree.Path().size()) + ":" +
                        QByteArray::number(folder.error);
            rows += " " + QByteArray::number(row.skipped.unsized) + ";";
        }
        return rows;
    });
    const QByteArray denied = QByteArray::number(EACCES);
    EXPECT_TRUE(report.contains("/ 0 0;")) << report.constData();
    EXPECT_TRUE(report.contains("/open/ 1 0;")) << report.constData();
    EXPECT_TRUE(report.contains("/locked/ 0 /locked:" + denied + " 0;")) << report.constData();
    EXPECT_TRUE(report.contains("/listed/ 0 /listed:" + denied + " 2;")) << report.constData();
}

// Makes chosen directories fail to open and chosen entries fail to be sized.
class FaultyWalk final : public WalkFaults {
  public:
    int OpenError(const QByteArray& directory) override { return Find(openErrors, directory); }
    int StatError(const QByteArray& directory, const char* name) override {
        return Find(statErrors, directory + '/' + name);
    }

    std::map<QByteArray, int> openErrors;  // by directory
    std::map<QByteArray, int> statErrors;  // by entry path

  private:
    static int Find(const std::map<QByteArray, int>& errors, const QByteArray& path) {
        const auto found = errors.find(path);
        return found == errors.end() ? 0 : found->second;
    }
};

TEST(Scan, WhatCannotBeReadIsKeptWithItsRowWhateverTheThreads) {
    TempTree tree;
    tree.File("own", 1);
    tree.File("A/x", 10);
    tree.File("A/deep/locked/y", 100);
    tree.File("A/deep/gone/z", 1000);
    tree.File("B/vanishing", 7);
    tree.File("B/stays", 5);
    tree.File("C/a", 1);
    tree.File("C/b", 2);
    FaultyWalk faults;
    faults.openErrors[tree.Path("A/deep/locked")] = EACCES;
    faults.openErrors[tree.Path("A/deep/gone")] = ENOENT;  // vanished after the listing
    faults.statErrors[tree.Path("B/vanishing")] = ENOENT;
    faults.statErrors[tree.Path("C/a")] = EACCES;  // listed but not entered
    faults.statErrors[tree.Path("C/b")] = EACCES;
    for (int threads : {1, 2, 8}) {
        ScanRequest request{{tree.Path() + '/'}, false, &faults};
        const ScanResult result = ScanDirectories(request, threads);
        std::map<QByteArray, DirectoryRecord> rows;
        for (const DirectoryRecord& row : result.rows)
            rows[row.Path] = row;
        EXPECT_EQ(rows[tree.Path() + '/'].skipped, Skipped{});
        EXPECT_EQ(rows[tree.Path("A/")].counts, Files(1, 10, 3)) << threads;
        EXPECT_EQ(
            rows[tree.Path("A/")].skipped,
            (Skipped{{{tree.Path("A/deep/gone"), ENOENT}, {tree.Path("A/deep/locked"), EACCES}},
                     0}));
        EXPECT_EQ(rows[tree.Path("B/")].counts, Files(1, 5));
        EXPECT_EQ(rows[tree.Path("B/")].skipped, (Skipped{{}, 1}));
        EXPECT_EQ(rows[tree.Path("C/")].counts, Files(0, 0));
        EXPECT_EQ(rows[tree.Path("C/")].skipped, (Skipped{{{tree.Path("C"), EACCES}}, 2}));
    }
}

TEST(Scan, SumsPastTwoToTheSixtyThreeAndFilesPastTwoToTheFiftyThreeAreExact) {
    TempTree tree(kMemoryFolder);  // the disk's file system refuses files of 2^62 bytes
    const Figure quarter = Figure{1} << 62;
    const Figure odd = (Figure{1} << 53) + 1;  // a double would round it to 2^53
    for (const char* name : {"a", "b", "c", "sub/a", "sub/b"})
        tree.File(name, static_cast<std::int64_t>(quarter));
    tree.File("odd", static_cast<std::int64_t>(odd));
    const Rows rows = Scan({tree.Path()}, 2);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].counts, Files(4, 3 * quarter + odd, 1));
    EXPECT_EQ(rows[1].counts, Files(2, 2 * quarter));
    SummaryData data;
    data.Record(rows);
    EXPECT_EQ(data.GrandTotal.Bytes, 5 * quarter + odd);  // past 2^64
    EXPECT_EQ(FigureDigits(data.GrandTotal.Bytes), "23067437291391680513");
}

namespace {

// Stops the walk from inside, as it comes to open Directory.
class StopAt final : public WalkFaults {
  public:
    explicit StopAt(QByteArray directory) : directory_(std::move(directory)) {}
    int OpenError(const QByteArray& directory) override {
        if (directory == directory_) source.request_stop();
        return 0;
    }
    std::stop_source source;

  private:
    QByteArray directory_;
};

}  // namespace

TEST(Scan, AStoppedWalkKeepsWhatItCountedAndMarksTheRowsItHadNotFinished) {
    TempTree tree;
    RandomTree(tree, 300, 900, 17);
    tree.File("stop/here/x", 5);
    tree.File("stop/y", 7);
    ScanRequest request;
    request.roots = {tree.Path() + '/'};
    const ScanResult whole = ScanDirectories(request, 1);
    for (int threads : {1, 4}) {
        SCOPED_TRACE(threads);
        StopAt stopAt(tree.Path("stop/here"));
        request.faults = &stopAt;
        const ScanResult partial = ScanDirectories(request, threads, stopAt.source.get_token());
        EXPECT_FALSE(partial.complete);
        ASSERT_EQ(partial.rows.size(), whole.rows.size());  // the start's listing was read whole
        EXPECT_FALSE(partial.rows[0].skipped.unfinished);
        EXPECT_EQ(partial.rows[0].counts, whole.rows[0].counts);
        int unfinished = 0;
        for (std::size_t i = 1; i < whole.rows.size(); ++i) {
            const DirectoryRecord& row = partial.rows[i];
            EXPECT_EQ(row.Path, whole.rows[i].Path);
            if (row.skipped.unfinished) {
                unfinished += 1;
                EXPECT_LE(row.counts.Files, whole.rows[i].counts.Files);
            } else {
                EXPECT_EQ(row.counts, whole.rows[i].counts) << row.Path.constData();
            }
            if (row.Path == tree.Path("stop/")) {
                EXPECT_TRUE(row.skipped.unfinished);
            }
        }
        EXPECT_GE(unfinished, 1);
    }
    for (const DirectoryRecord& row : whole.rows)
        EXPECT_FALSE(row.skipped.unfinished);
}
