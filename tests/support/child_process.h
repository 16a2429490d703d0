#pragma once

#include <QByteArray>
#include <functional>

namespace testsupport {

// Runs body in a child process (a copy of this one) and gives back what body returns;
// "child failed" when the child crashed or hung. With fullDisk the child writes as onto a
// full disk: no file of it can grow beyond a few bytes (RLIMIT_FSIZE, with SIGXFSZ ignored,
// so such a write fails with EFBIG).
QByteArray RunInChild(const std::function<QByteArray()> &body, bool fullDisk = false);
inline QByteArray RunOnFullDisk(const std::function<QByteArray()> &body)
{
    return RunInChild(body, true);
}

} // namespace testsupport
