#pragma once

#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

// Runs body in a child process (a copy of this one) and gives back what it returns. With
// fullDisk no file of the child can grow beyond 64 bytes (RLIMIT_FSIZE, SIGXFSZ ignored:
// such a write fails with EFBIG), as on a full disk; a pipe is no file, so the answer gets
// through.
inline QByteArray RunInChild(const std::function<QByteArray()> &body, bool fullDisk = false)
{
    int fds[2];
    const pid_t pid = ::pipe(fds) == 0 ? ::fork() : -1;
    if (pid == 0) {
        rlimit limit{};
        if (fullDisk && std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && ::getrlimit(RLIMIT_FSIZE, &limit) == 0) {
            limit.rlim_cur = 64;
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        const QByteArray answer = body();
        ::_exit(::write(fds[1], answer.constData(), size_t(answer.size())) == answer.size() ? 0 : 1);
    }
    if (pid < 0)
        return "no child";
    ::close(fds[1]);
    QByteArray answer;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        answer.append(buf, n);
    ::close(fds[0]);
    int status = 1;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? answer : QByteArray("child failed");
}

// Runs body in a child process as an ordinary user, whom file permissions stop as they stop
// the program's users: started as root (as CI runs), the child gives folder and all it holds
// to the user nobody (65534) and drops root for good first. The answer says so when it cannot.
inline QByteArray RunAsOrdinaryUser(const QString &folder, const std::function<QByteArray()> &body)
{
    return RunInChild([&]() -> QByteArray {
        constexpr uid_t nobody = 65534;
        bool given = ::geteuid() != 0 || ::lchown(QFile::encodeName(folder).constData(), nobody, nobody) == 0;
        const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        for (QDirIterator it(folder, all, QDirIterator::Subdirectories); ::geteuid() == 0 && it.hasNext();)
            given = ::lchown(QFile::encodeName(it.next()).constData(), nobody, nobody) == 0 && given;
        if (::geteuid() == 0 && (!given || ::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 ||
                                 ::setuid(nobody) != 0 || ::setuid(0) == 0))
            return "root could not be dropped";
        if (::access(QFile::encodeName(folder).constData(), R_OK | W_OK | X_OK) != 0)
            return "the folder cannot be reached by an ordinary user";
        return body();
    });
}

} // namespace testsupport
