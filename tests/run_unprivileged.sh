#!/bin/sh
# Runs a test executable as an unprivileged user when started as root, so that the tests
# of unreadable and unwritable files (which root would pass through) really run.
# The build may stand where the ordinary user cannot reach it (below /root, say); then the
# cases run as they are and skip what root cannot show.
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null 2>&1 &&
   setpriv --reuid=65534 --regid=65534 --clear-groups test -x "$1" 2>/dev/null; then
    exec setpriv --reuid=65534 --regid=65534 --clear-groups \
        env HOME=/tmp XDG_RUNTIME_DIR=/tmp QT_QPA_PLATFORM=offscreen TMPDIR=/tmp "$@"
fi
exec env QT_QPA_PLATFORM=offscreen "$@"
