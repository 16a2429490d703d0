#include "tests/support/child_process.h"

#include <csignal>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

QByteArray RunInChild(const std::function<QByteArray()> &body, bool fullDisk)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "child failed";
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return "child failed";
    }
    if (pid == 0) {
        ::close(fds[0]);
        if (fullDisk) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 64; // a pipe is no file: the answer still gets through
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        const QByteArray answer = body();
        for (qsizetype done = 0; done < answer.size();) {
            const ssize_t n = ::write(fds[1], answer.constData() + done, size_t(answer.size() - done));
            if (n <= 0)
                break;
            done += n;
        }
        ::_exit(0); // nothing of the parent's state is torn down twice
    }
    ::close(fds[1]);
    QByteArray answer;
    bool hung = false;
    for (;;) {
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, 30000) <= 0) {
            hung = true;
            break;
        }
        char buf[4096];
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n <= 0)
            break;
        answer.append(buf, n);
    }
    ::close(fds[0]);
    if (hung)
        ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return hung || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ? QByteArray("child failed") : answer;
}

} // namespace testsupport
