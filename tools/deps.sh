#!/usr/bin/env bash
# Installs what building, running and testing Tarvelin needs on a Debian machine.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
packages=(cmake ninja-build g++ clang libclang-rt-14-dev qt6-base-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-liberation2 xvfb xauth poppler-utils cups cups-filters
          xchm libchm-bin qt6-translations-l10n)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# A Polish locale, so the tests can show that the program's formats ignore it.
if ! locale -a 2>/dev/null | grep -qi '^pl_PL.utf8$'; then
    $SUDO localedef -i pl_PL -f UTF-8 pl_PL.UTF-8 >/dev/null 2>&1 || true
fi
