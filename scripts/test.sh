#!/usr/bin/env bash
# Sets up and builds, checks that includes point down the layers, then runs every test (GL tests inside a virtual
# X server with Mesa's software renderer).
# The server must not reset when its last client leaves, or a test connecting at that moment fails.
# Usage: scripts/test.sh [ctest arguments]; SANITIZE=1 builds and tests under ASan + UBSan in build-asan/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${SANITIZE:-0}" = 1 ]; then
  export BUILD_DIR=$root/build-asan BUILD_TYPE=RelWithDebInfo
  "$root/scripts/setup.sh" -DVULKORA_SANITIZE=ON
  export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
else
  "$root/scripts/setup.sh"
fi
"$root/scripts/check-layers.sh"
cd "${BUILD_DIR:-$root/build}"
export LIBGL_ALWAYS_SOFTWARE=1
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --output-on-failure -j 2 "$@"
