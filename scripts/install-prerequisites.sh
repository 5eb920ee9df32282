#!/bin/sh
# Installs what building and testing need, from Debian's packages. Idempotent and quiet
# when everything is already there.
set -eu

missing=""
need() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed" || missing="$missing $1"; }

for pkg in cmake ninja-build g++ make file googletest libgtest-dev libgmock-dev \
           g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev \
           wine wine32:i386 wine64 xvfb xauth clang libclang-rt-14-dev; do
  need "$pkg"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
