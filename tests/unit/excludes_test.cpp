#include "census/excludes.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <filesystem>
#include <functional>
#include <map>

#include "census/scan.h"
#include "tests/support/temp_tree.h"

namespace {

namespace fs = std::filesystem;
using Leave = std::function<bool(const fs::path&)>;

struct Walked {
    std::map<QByteArray, Counts> rows;  // by path with a trailing "/"
    std::int64_t excluded = 0;
};

bool IsFolder(const fs::directory_entry& entry) {
    return entry.symlink_status().type() == fs::file_type::directory;
}

bool IsHidden(const fs::directory_entry& entry) {
    return entry.path().filename().native().front() == '.';
}

void AddFile(const fs::directory_entry& entry, Counts& row) {
    const auto bytes = static_cast<std::int64_t>(fs::file_size(entry.path()));
    row.Files += 1;
    row.Bytes += bytes;
    row.HiddenFiles += IsHidden(entry) ? 1 : 0;
    row.HiddenBytes += IsHidden(entry) ? bytes : 0;
}

void AddFolder(const fs::directory_entry& entry, Counts& row) {
    row.Dirs += 1;
    row.HiddenDirs += IsHidden(entry) ? 1 : 0;
}

// Counts what lies below Folder into Row, recursively, leaving out (and counting) the
// entries Leave names.
void CountTree(const fs::path& folder, const Leave& leave, Counts& row, std::int64_t& excluded) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (leave(entry.path())) {
            excluded += 1;
        } else if (IsFolder(entry)) {
            AddFolder(entry, row);
            CountTree(entry.path(), leave, row, excluded);
        } else {
            AddFile(entry, row);
        }
    }
}

// The rows of a summary of Root that leaves out what Leave says, walked independently of the
// summary walk and of its pattern matching.
Walked IndependentWalk(const QByteArray& root, const Leave& leave) {
    Walked walked;
    Counts own;
    for (const fs::directory_entry& entry : fs::directory_iterator(root.constData())) {
        if (leave(entry.path())) {
            walked.excluded += 1;
        } else if (IsFolder(entry)) {
            AddFolder(entry, own);
            Counts& below = walked.rows[QByteArray(entry.path().c_str()) + '/'];
            CountTree(entry.path(), leave, below, walked.excluded);
        } else {
            AddFile(entry, own);
        }
    }
    walked.rows[root + '/'] = own;
    return walked;
}

Walked SummaryWalk(const QByteArray& root, const Excludes& excludes, int threads) {
    ScanRequest request;
    request.roots = {root + '/'};
    request.excludes = excludes;
    const ScanResult result = ScanDirectories(request, threads);
    EXPECT_TRUE(result.complete);
    Walked walked;
    for (const DirectoryRecord& row : result.rows)
        walked.rows[row.Path] = row.counts;
    walked.excluded = result.excluded;
    return walked;
}

void ExpectSameWalk(const Walked& got, const Walked& want) {
    EXPECT_EQ(got.excluded, want.excluded);
    ASSERT_EQ(got.rows.size(), want.rows.size());
    for (const auto& [path, counts] : want.rows) {
        ASSERT_TRUE(got.rows.count(path)) << path.constData();
        EXPECT_EQ(got.rows.at(path), counts) << path.constData();
    }
}

constexpr const char* kSignature = "Signature: 8a477f597d28d172789f06886806bc55";

void WriteFile(const QByteArray& path, const QByteArray& bytes) {
    QFile file(QFile::decodeName(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Names at several depths, disc images, downloads under two homes, and tagged folders.
void MakeProjectTree(TempTree& tree) {
    tree.File("own.iso", 5);
    tree.File("keep", 7);
    tree.File("app/node_modules/x", 100);
    tree.File("app/src/a.c", 10);
    tree.File("app/src/node_modules/deeper/y", 1000);
    tree.File("node_modules/z", 30);
    tree.File("media/disc.iso", 4096);
    tree.File("media/.old.iso", 40);
    tree.File("media/notes.txt", 3);
    tree.File("home/ann/Downloads/big", 500);
    tree.File("home/ann/Documents/d", 2);
    tree.File("home/bob/x/Downloads/z", 9);
    tree.File(".cache/data", 50);
    WriteFile(tree.Path(".cache/CACHEDIR.TAG"), QByteArray(kSignature) + "\n# made by a tool\n");
    tree.File("proj/target/out", 70);
    WriteFile(tree.Path("proj/target/CACHEDIR.TAG"), kSignature);
    tree.File("proj/bad/out", 80);
    WriteFile(tree.Path("proj/bad/CACHEDIR.TAG"), "Signature: 00000000000000000000000000000000");
    tree.File("proj/short/out", 90);
    WriteFile(tree.Path("proj/short/CACHEDIR.TAG"), "Signature: 8a477f59");
    tree.File("proj/tagfile/CACHEDIR.TAG/out", 60);  // a folder by that name is no tag
}

bool IsCacheFolder(const fs::path& path) {
    QFile tag(QString::fromStdString((path / "CACHEDIR.TAG").native()));
    return fs::is_directory(fs::symlink_status(path)) && tag.open(QIODevice::ReadOnly) &&
           tag.read(43) == kSignature;
}

}  // namespace

TEST(Excludes, PatternsAndCacheTagsLeaveOutWhatAPlainWalkLeavesOut) {
    TempTree tree;
    MakeProjectTree(tree);
    const QByteArray root = tree.Path();
    const std::string downloads = root.toStdString() + "/home/ann/Downloads";
    const struct {
        const char* what;
        Excludes excludes;
        Leave leave;
    } cases[] = {
        {"a name at any depth", Excludes{{"node_modules"}, false},
         [](const fs::path& path) { return path.filename() == "node_modules"; }},
        {"a glob, hidden names too", Excludes{{"*.iso"}, false},
         [](const fs::path& path) { return path.extension() == ".iso"; }},
        {"a full path", Excludes{{root + "/home/*/Downloads"}, false},
         [&](const fs::path& path) { return path.native() == downloads; }},
        {"cache tags, good and bad", Excludes{{}, true}, IsCacheFolder},
        {"a list file's patterns", Excludes{PatternsOfList("# x\n\nnode_modules\n*.iso\n"), true},
         [](const fs::path& path) {
             return path.filename() == "node_modules" || path.extension() == ".iso" ||
                    IsCacheFolder(path);
         }},
    };
    for (const auto& test : cases) {
        const Walked want = IndependentWalk(root, test.leave);
        EXPECT_GT(want.excluded, 0) << test.what;
        for (int threads : {1, 4}) {
            SCOPED_TRACE(std::string(test.what) + ", threads " + std::to_string(threads));
            ExpectSameWalk(SummaryWalk(root, test.excludes, threads), want);
        }
    }
}

TEST(Excludes, AStartDirectoryIsNeverLeftOut) {
    TempTree tree;
    MakeProjectTree(tree);
    const QByteArray start = tree.Path("app/src/node_modules");
    const Walked got = SummaryWalk(start, Excludes{{"node_modules", start}, true}, 2);
    EXPECT_EQ(got.excluded, 0);
    ASSERT_EQ(got.rows.size(), 2u);
    EXPECT_EQ(got.rows.at(start + "/deeper/").Bytes, 1000);
    const Walked tagged = SummaryWalk(tree.Path("proj/target"), Excludes{{}, true}, 1);
    EXPECT_EQ(tagged.rows.at(tree.Path("proj/target/")).Files, 2);
}

TEST(Excludes, RelativeStartsMatchFullPathsFromTheCurrentFolder) {
    TempTree tree;
    MakeProjectTree(tree);
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QFile::decodeName(tree.Path())));
    const Walked got = SummaryWalk("home", Excludes{{tree.Path("home/*/Downloads")}, false}, 1);
    QDir::setCurrent(before);
    EXPECT_EQ(got.excluded, 1);
    EXPECT_EQ(got.rows.at("home/ann/").Bytes, 2);
}

TEST(Excludes, ListsAndMergesKeepEachPatternOnce) {
    EXPECT_EQ(PatternsOfList("a\r\n#b\n\n \t\n c \n*.o"),
              (std::vector<QByteArray>{"a", " c ", "*.o"}));
    Excludes stored{{"a", "b"}, false};
    stored += Excludes{{"b", "c"}, true};
    EXPECT_EQ(stored, (Excludes{{"a", "b", "c"}, true}));
    EXPECT_FALSE(Excludes{}.Active());
    EXPECT_TRUE((Excludes{{}, true}).Active());
}
