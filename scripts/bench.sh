#!/usr/bin/env bash
# Measures real frame times of the heaviest scenes in a virtual X server and prints one line per scene.
# Usage: scripts/bench.sh [seconds per scene]   (W and H set the window size, default 1280x720)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
secs=${1:-6}
size=${W:-1280}x${H:-720}
"$root/scripts/setup.sh" >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln -s "$root"/build/run/*.bmp "$root"/build/run/*.wav "$work"/
cd "$work"

# A preferences file with the worst case the settings allow: tessellation 80, everything on.
python3 - <<'PY'
import struct
words = [0] * 87
def i(off, v): words[off // 4] = struct.pack('<i', v)
def f(off, v): words[off // 4] = struct.pack('<f', v)
for k in range(87): words[k] = struct.pack('<i', 0)
words[0] = bytes([0x98, 0xD6, 0x42, 0x00])
ints = {4: 1, 20: 1, 28: 1, 52: 80, 60: 1280, 64: 720, 80: 2, 304: 1, 308: 1, 312: 1}
floats = {100: 1, 104: 1, 108: 1, 112: 1, 116: 1, 120: .4, 124: .5, 128: .99, 132: .99, 136: 10, 140: 180, 144: 1,
          148: 110, 152: 1, 156: 1, 164: 1, 168: 1, 172: 1, 176: 1, 180: 1, 184: 1, 188: 1, 192: .7, 196: 7, 200: 1,
          204: .2, 208: 1, 212: 1, 216: 1, 320: .075, 324: 12, 332: 3, 336: 3, 340: 70, 344: 25}
for off, v in ints.items(): i(off, v)
for off, v in floats.items(): f(off, v)
open('Vulkora.pref', 'wb').write(b''.join(words))
PY

run() {  # name, extra arguments
  local name=$1; shift
  local line
  line=$(xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$root/build/vulkora" --window "$size" --no-sound "$@" \
         --benchmark "$secs" 2>/dev/null | grep '^benchmark:' || echo "benchmark: failed")
  printf '%-28s %s\n' "$name" "$line"
}
# With a fixed step the first eruption comes at frame 1001 (20 s of program time at 0.02 s a frame).
run "intro"                 --fixed-step 0.02 --bench-from 10
run "volcano, tess 80"      --fixed-step 0.02 --bench-from 600
run "eruption, tess 80"     --fixed-step 0.02 --bench-from 995
