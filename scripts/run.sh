#!/usr/bin/env bash
# Sets up and builds, then starts the demo from the run directory; arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cd "$root/build/run"
if [ -z "${DISPLAY:-}" ]; then
  echo "run: no display (DISPLAY is not set). To run headless and save a picture:"
  echo "  cd build/run && xvfb-run -a -s '-screen 0 1280x720x24' ../vulkora --window 1280x720 --no-sound --fixed-step 0.02 --frames 1500 --screenshot /tmp/vulkora.png"
  exit 1
fi
exec ../vulkora "$@"
