#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need (when missing), then configures and builds.
# Usage: scripts/setup.sh [extra cmake arguments]   (BUILD_DIR and BUILD_TYPE may be set in the environment)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build}
build_type=${BUILD_TYPE:-Release}

packages=(build-essential cmake pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libpng-dev
          libopenal-dev libsndfile1-dev libfreetype-dev fonts-dejavu-core libgtest-dev xvfb xauth
          groff-base desktop-file-utils python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
