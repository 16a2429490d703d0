#pragma once

#include <QByteArray>
#include <csignal>
#include <functional>
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

} // namespace testsupport
