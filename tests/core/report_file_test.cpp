#include "platform/report_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>

#include "tests/support/ordinary_user.h"

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace

TEST(WriteReportFile, ReplacesTheTargetOnlyWhenComplete) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/report.txt";
    EXPECT_FALSE(WriteReportFile(path, "first\r\n").has_value());
    EXPECT_FALSE(WriteReportFile(path, "second\r\n").has_value());
    EXPECT_EQ(ReadAll(path), "second\r\n");
    const std::optional<QString> missing = WriteReportFile(folder.path() + "/none/r.txt", "x");
    ASSERT_TRUE(missing.has_value());
    EXPECT_FALSE(missing->isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"report.txt"});
}

// As an ordinary user: a read-only report is kept; in a folder that takes no new file, a
// writable report is written in place.
TEST(WriteReportFile, ReadOnlyTargetsAreKeptAndWritableOnesInLockedFoldersWrittenInPlace) {
    QTemporaryDir folder;
    const QString readOnly = folder.path() + "/open/report.csv";
    const QString locked = folder.path() + "/locked/report.csv";
    for (const QString& path : {readOnly, locked}) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        WriteReportFile(path, "kept");
    }
    chmod(QFile::encodeName(folder.path()), 0755);
    chmod(QFile::encodeName(QFileInfo(readOnly).path()), 0777);
    chmod(QFile::encodeName(readOnly), 0444);
    chmod(QFile::encodeName(QFileInfo(locked).path()), 0555);
    chmod(QFile::encodeName(locked), 0666);
    const QByteArray outcome = AsOrdinaryUser([&] {
        return QByteArray(WriteReportFile(readOnly, "lost").has_value() ? "refused" : "written") +
               (WriteReportFile(locked, "new").has_value() ? " refused" : " written");
    });
    EXPECT_EQ(outcome, "refused written");
    EXPECT_EQ(ReadAll(readOnly), "kept");
    EXPECT_EQ(ReadAll(locked), "new");
    chmod(QFile::encodeName(QFileInfo(locked).path()), 0755);
}

TEST(WriteReportFile, AReplacedReportKeepsItsModeAndOwner) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/report.txt";
    WriteReportFile(path, "old");
    const QByteArray name = QFile::encodeName(path);
    chmod(name, 0440);
    const uid_t owner = geteuid() == 0 ? 65534 : geteuid();  // root gives it away first
    ASSERT_EQ(chown(name, owner, static_cast<gid_t>(-1)), 0);
    EXPECT_FALSE(WriteReportFile(path, "new").has_value());
    struct stat status {};
    ASSERT_EQ(stat(name, &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0440u);
    EXPECT_EQ(status.st_uid, owner);
    EXPECT_EQ(ReadAll(path), "new");
}

TEST(WriteReportFile, DevicesAreWrittenInPlaceAndTheirErrorsReported) {
    if (!QFileInfo("/dev/full").exists() || QFileInfo("/dev/full").isFile()) GTEST_SKIP();
    EXPECT_TRUE(WriteReportFile("/dev/full", QByteArray(1 << 16, 'x')).has_value());
    EXPECT_FALSE(QFileInfo("/dev/full").isFile());
    EXPECT_FALSE(WriteReportFile("/dev/null", "x").has_value());
}

TEST(WriteReportFile, AFolderIsNoTarget) {
    QTemporaryDir folder;
    EXPECT_TRUE(WriteReportFile(folder.path(), "x").has_value());
    EXPECT_TRUE(QFileInfo(folder.path()).isDir());
}

TEST(WriteReportFile, AFullDiskKeepsTheOldFile) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/report.txt";
    WriteReportFile(path, "kept");
    // A child process whose files may not grow past 4 KiB stands for a full disk.
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        const std::optional<QString> reason = WriteReportFile(path, QByteArray(1 << 16, 'x'));
        _exit(reason == QString::fromLocal8Bit(std::strerror(EFBIG)) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the system's reason";
    EXPECT_EQ(ReadAll(path), "kept");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"report.txt"});
}

namespace {

// A sticky folder everyone may write (as /tmp is) beside a file of the running user's that a
// link of the user nobody in the folder points at, directly or through a folder link.
class SharedFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "another user's link needs root to be planted";
        shared_ = folder_.path() + "/shared";
        victim_ = folder_.path() + "/victim";
        ASSERT_TRUE(QDir().mkdir(shared_));
        chmod(QFile::encodeName(folder_.path()), 0755);
        chmod(QFile::encodeName(shared_), 01777);
        ASSERT_FALSE(WriteReportFile(victim_, "precious").has_value());
    }
    // Makes Link point at Target as the user nobody; Link's folder is the shared one.
    void PlantLink(const QString& target, const QString& link) {
        const QByteArray made = AsOrdinaryUser([&] {
            return QByteArray(symlink(QFile::encodeName(target), QFile::encodeName(link)) == 0
                                  ? "made"
                                  : std::strerror(errno));
        });
        ASSERT_EQ(made, "made");
    }

    QTemporaryDir folder_;
    QString shared_;
    QString victim_;
};

}  // namespace

TEST_F(SharedFolder, AnotherUsersLinkIsNeverFollowed) {
    PlantLink(victim_, shared_ + "/report.txt");
    PlantLink(folder_.path(), shared_ + "/up");
    for (const QString& path : {shared_ + "/report.txt", shared_ + "/up/victim"}) {
        const std::optional<QString> reason = WriteReportFile(path, "forged");
        ASSERT_TRUE(reason.has_value()) << qPrintable(path);
        EXPECT_TRUE(reason->contains("symbolic link")) << qPrintable(*reason);
    }
    EXPECT_EQ(ReadAll(victim_), "precious");
    EXPECT_TRUE(QFileInfo(shared_ + "/report.txt").isSymLink());
}

// The links the system itself would follow there: the running user's own, and those of the
// folder's owner.
TEST_F(SharedFolder, OwnLinksAndTheFolderOwnersAreFollowed) {
    const QString own = shared_ + "/own.txt";
    ASSERT_EQ(symlink(QFile::encodeName(victim_), QFile::encodeName(own)), 0);
    EXPECT_FALSE(WriteReportFile(own, "by link").has_value());
    EXPECT_EQ(ReadAll(victim_), "by link");
    EXPECT_TRUE(QFileInfo(own).isSymLink());

    ASSERT_EQ(chown(QFile::encodeName(shared_), 65534, 65534), 0);
    PlantLink(victim_, shared_ + "/owners.txt");
    EXPECT_FALSE(WriteReportFile(shared_ + "/owners.txt", "by owner").has_value());
    EXPECT_EQ(ReadAll(victim_), "by owner");
}

TEST(WriteReportFile, MagicLinksOfTheProcessReachTheirStreams) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    EXPECT_FALSE(
        WriteReportFile(QStringLiteral("/proc/self/fd/%1").arg(fds[1]), "piped").has_value());
    close(fds[1]);
    char got[16] = {};
    EXPECT_EQ(read(fds[0], got, sizeof got), 5);
    EXPECT_STREQ(got, "piped");
    close(fds[0]);
}
