#!/usr/bin/env bash
# Builds (installing what the build needs), then installs the program, its images and sounds, manual page,
# desktop entry, icon and screensaver description under a prefix.
# Usage: scripts/install.sh [PREFIX]   (default /usr/local; sudo is used when the prefix is not writable)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:-/usr/local}
case $prefix in /*) ;; *) prefix=$(pwd)/$prefix ;; esac
# The prefix is compiled in as the last place the program looks for its files.
"$root/scripts/setup.sh" -DCMAKE_INSTALL_PREFIX="$prefix"
sudo=""
mkdir -p "$prefix" 2>/dev/null || true
if [ ! -w "$prefix" ] && [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo cmake --install "${BUILD_DIR:-$root/build}" --prefix "$prefix"
echo "install: done; start it with $prefix/bin/vulkora"
