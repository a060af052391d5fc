#include "tests/support/ordinary_user.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;
constexpr int kCannotDrop = 3;

QByteArray ReadToEnd(int fd) {
    QByteArray bytes;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, got);
    return bytes;
}

}  // namespace

QByteArray AsOrdinaryUser(const std::function<QByteArray()>& work) {
    if (geteuid() != 0) return work();
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) {
            _exit(kCannotDrop);
        }
        const QByteArray report = work();
        const bool written = write(pipeFds[1], report.constData(), report.size()) == report.size();
        _exit(written ? 0 : 1);
    }
    close(pipeFds[1]);
    const QByteArray report = ReadToEnd(pipeFds[0]);
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        ADD_FAILURE() << "the child as nobody failed, status " << status;
        return {};
    }
    return report;
}
