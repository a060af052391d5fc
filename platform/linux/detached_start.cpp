// Program starts on Linux: fork and exec, detached from this process.
#include "platform/program_launcher.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

namespace {

// Writes errno to the report pipe and ends the forked process.
[[noreturn]] void ReportAndLeave(int reportFd) {
    const int error = errno;
    [[maybe_unused]] const ssize_t written = write(reportFd, &error, sizeof error);
    _exit(127);
}

// Runs in the grandchild: exec, or report why not.
[[noreturn]] void ExecOrReport(const QByteArray& program, const std::vector<char*>& argv,
                               int reportFd) {
    execvp(program.constData(), argv.data());
    ReportAndLeave(reportFd);
}

// Forks twice so the started program is adopted by init and never becomes our zombie; the
// grandchild reports a failed exec through a close-on-exec pipe.
int SpawnDetached(const QByteArray& program, const std::vector<QByteArray>& arguments) {
    std::vector<QByteArray> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return errno;
    const pid_t child = fork();
    if (child < 0) {
        const int error = errno;
        close(pipeFds[0]);
        close(pipeFds[1]);
        return error;
    }
    if (child == 0) {
        close(pipeFds[0]);
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0) ExecOrReport(program, argv, pipeFds[1]);
        if (grandchild < 0) ReportAndLeave(pipeFds[1]);
        _exit(0);
    }
    close(pipeFds[1]);
    waitpid(child, nullptr, 0);
    int error = 0;
    const ssize_t got = read(pipeFds[0], &error, sizeof error);
    close(pipeFds[0]);
    return got == sizeof error ? error : 0;
}

}  // namespace

QString StartDetachedProgram(const QByteArray& program, const std::vector<QByteArray>& arguments) {
    const int failure = SpawnDetached(program, arguments);
    return failure == 0 ? QString() : QString::fromLocal8Bit(std::strerror(failure));
}

QByteArray LocateSummaryProgram() {
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/tallmere32");
    const QFileInfo info(beside);
    if (info.isFile() && info.isExecutable()) return QFile::encodeName(beside);
    return QFile::encodeName(QStandardPaths::findExecutable(QStringLiteral("tallmere32")));
}
