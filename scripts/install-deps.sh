#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need, and
# only those that are missing, so a second run costs nothing. With the
# argument "package" it also installs what building and checking the Debian
# package needs (make package, make test-package); with "windows" what the
# Windows build and its run under wine need (make test-windows), which the
# Linux targets never pull in.
set -eu

PACKAGES="cmake ninja-build g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
qt6-serialport-dev libcli11-dev nlohmann-json3-dev libserialport-dev libx11-dev libxcb1-dev xvfb xauth x11-utils fonts-dejavu-core fonts-liberation poppler-utils \
clang libclang-rt-14-dev libfuzzer-14-dev"
# dpkg-shlibdeps (dpkg-dev) finds the programs' libraries through file(1);
# lintian checks the package and its manual pages.
if [ "${1:-}" = package ]; then
  PACKAGES="$PACKAGES dpkg-dev file lintian"
fi
WINDOWS_PACKAGES="g++-mingw-w64-x86-64-posix googletest wine64"
[ "${1:-}" = windows ] && PACKAGES="$PACKAGES $WINDOWS_PACKAGES"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO=sudo; else
    echo "Missing packages:$missing (run as root or install them)" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
