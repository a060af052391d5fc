#include "census/ncdu_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <map>
#include <mutex>

#include "table/figure.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/temp_tree.h"

namespace {

// Every row as a line: its path, its ten figures, then its unread folders, in path order.
QByteArray RowsText(std::vector<DirectoryRecord> rows) {
    std::sort(rows.begin(), rows.end(),
              [](const DirectoryRecord& a, const DirectoryRecord& b) { return a.Path < b.Path; });
    QByteArray text;
    for (const DirectoryRecord& row : rows) {
        text += row.Path;
        for (int field = 2; field <= kLastField; ++field)
            text += ' ' + FigureDigits(FieldValue(row.counts, field));
        for (const UnreadDirectory& folder : row.skipped.unread)
            text += " unread:" + folder.path;
        text += '\n';
    }
    return text;
}

// What a walk of Root as the user nobody shows.
QByteArray WalkedAsNobody(const QByteArray& root, const SizeCounting& counting) {
    return AsOrdinaryUser([&] {
        ScanRequest request;
        request.roots = {root + '/'};
        request.counting = counting;
        return RowsText(ScanDirectories(request, 2).rows);
    });
}

// The export Program ("ncdu" or "gdu") makes of Root as the user nobody.
QByteArray ExportAsNobody(const QString& program, const QByteArray& root) {
    QStringList arguments{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                          QStringLiteral("--clear-groups"), program};
    if (program == u"ncdu") arguments << QStringLiteral("--ignore-config");
    if (program == u"gdu") arguments << QStringLiteral("-n");
    arguments << QStringLiteral("-o-") << QFile::decodeName(root);
    QProcess process;
    process.setProcessEnvironment([] {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), QStringLiteral("/nonexistent"));
        return environment;
    }());
    process.start(geteuid() == 0 ? QStringLiteral("setpriv") : program,
                  geteuid() == 0 ? arguments : arguments.mid(4));
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    return process.readAllStandardOutput();
}

std::variant<ImportedScan, ImportError> Import(QByteArray text, const SizeCounting& counting,
                                               const QByteArray& focus = {}) {
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    return ImportNcduExport(buffer, counting, focus);
}

QByteArray ImportedText(const QByteArray& text, const SizeCounting& counting) {
    const auto imported = Import(text, counting);
    if (const auto* error = std::get_if<ImportError>(&imported)) {
        ADD_FAILURE() << error->line << ":" << error->column << " " << error->reason.toStdString();
        return {};
    }
    return RowsText(std::get<ImportedScan>(imported).result.rows);
}

// Hidden entries, a file linked from two folders, a sparse file, a link, a name that is not
// UTF-8, a pipe and a folder that an ordinary user cannot read.
void Fixture(TempTree& tree) {
    tree.File(".hidden", 7);
    tree.File("a/.dotfile", 3);
    tree.File("a/x", 10);
    tree.File("b/sparse", 5LL << 30);
    tree.File("b/deep/\xff\xfename", 4);
    tree.Dir("a/.hid/empty");
    tree.Symlink("a/link", "x");
    ASSERT_EQ(link(tree.Path("a/x").constData(), tree.Path("b/deep/x2").constData()), 0);
    ASSERT_EQ(mkfifo(tree.Path("b/pipe").constData(), 0644), 0);
    tree.File("locked/inside", 9);
    ASSERT_EQ(chmod(tree.Path("locked").constData(), 0), 0);
    ASSERT_EQ(chmod(tree.Path().constData(), 0755), 0);
}

// Every directory's tree figures as a sink is handed them, one line each in path order, then
// the unread folders.
class TreeLines final : public TreeSink {
  public:
    void DirectoryDone(QByteArrayView path, const TreeFigures& figures) override {
        std::lock_guard lock(mutex_);
        QByteArray& line = lines_[path.toByteArray()];
        for (int field = 2; field <= kLastField; ++field)
            line += ' ' + FigureDigits(FieldValue(figures.tree, field));
    }
    void Unread(QByteArrayView path, int) override {
        std::lock_guard lock(mutex_);
        lines_["unread:" + path.toByteArray()];
    }
    QByteArray Text() const {
        QByteArray text;
        for (const auto& [path, line] : lines_)
            text += path + line + '\n';
        return text;
    }

  private:
    std::mutex mutex_;
    std::map<QByteArray, QByteArray> lines_;
};

}  // namespace

// ncdu's export of a tree gives the figures a walk of that tree gives, in every way of
// counting, unread folders included.
TEST(NcduImport, ExportOfNcduCountsAsAWalkOfTheSameTree) {
    TempTree tree;
    Fixture(tree);
    const QByteArray root = tree.Path();
    const QByteArray exported = ExportAsNobody(QStringLiteral("ncdu"), root);
    ASSERT_TRUE(exported.startsWith("[1,")) << exported.left(200).constData();
    for (const SizeCounting counting : {SizeCounting{false, false}, SizeCounting{true, false},
                                        SizeCounting{false, true}, SizeCounting{true, true}}) {
        const QByteArray walked = WalkedAsNobody(root, counting);
        EXPECT_TRUE(walked.contains("unread:" + root + "/locked")) << walked.constData();
        EXPECT_EQ(ImportedText(exported, counting), walked)
            << "on disk " << counting.onDisk << ", links once " << counting.linksOnce;
    }
}

// What an import keeps of every directory, the records of its snapshot, is what a walk of the
// same tree keeps, in every way of counting.
TEST(NcduImport, EveryDirectoryToTheSinkAsAWalkGivesIt) {
    TempTree tree;
    Fixture(tree);
    const QByteArray root = tree.Path();
    const QByteArray exported = ExportAsNobody(QStringLiteral("ncdu"), root);
    for (const SizeCounting counting : {SizeCounting{false, false}, SizeCounting{true, true}}) {
        const QByteArray walked = AsOrdinaryUser([&] {
            TreeLines sink;
            ScanRequest request;
            request.roots = {root + '/'};
            request.counting = counting;
            request.sinks = {&sink};
            ScanDirectories(request, 2);
            return sink.Text();
        });
        TreeLines sink;
        QByteArray text = exported;
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        ImportNcduExport(buffer, counting, {}, [&](const QByteArray&) { return &sink; });
        EXPECT_TRUE(walked.contains("unread:locked\n")) << walked.constData();
        EXPECT_EQ(sink.Text(), walked) << "links once " << counting.linksOnce;
    }
}

// gdu writes names that are not UTF-8 with replacement characters, marks only the later links
// of a file and has no read errors: its figures match a walk's for every link counted.
TEST(NcduImport, ExportOfGduCountsAsAWalkOfTheSameTree) {
    TempTree tree;
    Fixture(tree);
    ASSERT_EQ(chmod(tree.Path("locked").constData(), 0755), 0);
    const QByteArray root = tree.Path();
    const QByteArray exported = ExportAsNobody(QStringLiteral("gdu"), root);
    ASSERT_TRUE(exported.startsWith("[1,")) << exported.left(200).constData();
    for (const bool onDisk : {false, true}) {
        const SizeCounting counting{onDisk, false};
        EXPECT_EQ(ImportedText(exported, counting), WalkedAsNobody(root, counting))
            << "on disk " << onDisk;
    }
}

TEST(NcduImport, RowsOfAFolderInsideTheScanAndEveryTreeToTheSink) {
    const QByteArray text =
        "[1,0,{},[{\"name\":\"/srv/\"},{\"name\":\"top\",\"asize\":1},"
        "[{\"name\":\"a\"},{\"name\":\"f\",\"asize\":2},"
        "[{\"name\":\"b\"},{\"name\":\".g\",\"asize\":4},[{\"name\":\"c\",\"read_error\":true}]],"
        "[{\"name\":\"skip\",\"excluded\":\"pattern\"}],{\"name\":\"x\",\"excluded\":\"pattern\"}]]"
        "]";
    const auto imported = Import(text, {}, "a");
    ASSERT_TRUE(std::holds_alternative<ImportedScan>(imported));
    const ImportedScan& scan = std::get<ImportedScan>(imported);
    EXPECT_EQ(scan.root, "/srv/");
    EXPECT_EQ(RowsText(scan.result.rows),
              "/srv/a/ 1 2 1 0 0 0 0 0 0 0\n"
              "/srv/a/b/ 1 4 1 1 4 0 0 0 0 0 unread:/srv/a/b/c\n");

    class Sink final : public TreeSink {
      public:
        void DirectoryDone(QByteArrayView path, const TreeFigures& figures) override {
            done += path.toByteArray() + '=' + FigureDigits(figures.tree.Bytes) + '/' +
                    FigureDigits(figures.own.Bytes) + ' ';
        }
        void Unread(QByteArrayView path, int) override {
            done += "unread:" + path.toByteArray() + ' ';
        }
        QByteArray done;
    } sink;
    QByteArray copy = text;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    ImportNcduExport(buffer, {}, {}, [&](const QByteArray&) { return &sink; });
    EXPECT_EQ(sink.done, "unread:a/b/c a/b/c=0/0 a/b=4/4 a=6/2 =7/1 ");
}

TEST(NcduImport, BrokenExportSaysWhere) {
    const auto imported = Import("[1,0,{},[{\"name\":\"/\"},", {});
    ASSERT_TRUE(std::holds_alternative<ImportError>(imported));
    EXPECT_EQ(std::get<ImportError>(imported).reason, "the export ends too early");
}
