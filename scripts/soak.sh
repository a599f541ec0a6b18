#!/usr/bin/env bash
# Soak test: the real program under AddressSanitizer and UndefinedBehaviorSanitizer, fed a generated script of
# random input (keys, held keys, special keys, mouse, modifiers, the popup) for many frames at --fixed-step 0.02.
# Passes when the run reaches its last frame and exits 0 with no sanitizer report, no GL error and flat memory
# (judged from 10,000 frames on).
# Usage: scripts/soak.sh [FRAMES [SEED]]     default 50000 frames and a seed from the clock (printed)
#        BINARY=path scripts/soak.sh ...    runs that build of the program instead of building build-asan/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
frames=${1:-50000}
seed=${2:-$(date +%s)}
if [ -z "${BINARY:-}" ]; then
  # Only the program and its assets (scripts/setup.sh installs the packages): no sanitizer build of the tests.
  cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVULKORA_SANITIZE=ON >/dev/null
  cmake --build "$root/build-asan" -j 2 --target vulkora assets >/dev/null
  BINARY=$root/build-asan/vulkora
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln -s "$(dirname "$BINARY")"/run/*.bmp "$(dirname "$BINARY")"/run/*.wav "$work"/
cd "$work"
echo "soak: $frames frames, seed $seed, $BINARY"

# The quit keys (ESC, q, Q) are left out, and so are Enter and clicks low in an open popup, which reach
# its Quit item (below the window at this size); everything else comes at random.
width=320 height=240
python3 - "$frames" "$seed" "$width" "$height" > script.txt <<'PY'
import random, sys
frames, rng, w, h = int(sys.argv[1]), random.Random(int(sys.argv[2])), int(sys.argv[3]), int(sys.argv[4])
specials = "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12 left right up down pageup pagedown home end insert".split()
held = ["[", "]", "<", ">", "{", "}", "(", ")", "+", "_", "=", "-", ",", ".", "l", "x", "b"] + specials
milestones = ["#", "\\", "r", "!", "@", "[", "]", "<", ">", "f", "u", "v", "L"]
def key(c): return "key-code %d" % (ord(c) if isinstance(c, str) else c)
popup, f, out = False, 20, []
while f < frames:
    r = rng.random()
    if f % 1500 < 20:
        out.append("%d %s" % (f, key(milestones[(f // 1500) % len(milestones)])))
    elif r < 0.35:
        c = rng.choice([c for c in range(1, 256) if c not in (27, 13, ord("q"), ord("Q"))])
        popup = (not popup) if c == 96 else (popup and chr(c) not in "/?rR")
        out.append("%d %s" % (f, key(c)))
    elif r < 0.55:
        s = rng.choice(specials)
        out += ["%d special %s" % (f, s), "%d special %s up" % (f + rng.randint(1, 30), s)]
    elif r < 0.58:
        k, n = rng.choice(held), rng.randint(100, 400)
        ev = ("special %s" % k) if k in specials else key(k)
        out += ["%d %s" % (f + i, ev) for i in range(n)]
        if k in specials: out.append("%d special %s up" % (f + n, k))
        f += n
    elif r < 0.78:
        b = rng.choice(["left", "middle", "right"])
        x, y = rng.randint(-40, w + 40), rng.randint(-40, h + 40)
        if popup and b == "left": x, y = rng.randint(0, w - 1), rng.randint(0, h * 2 // 3)
        if b == "right": popup = not popup
        out += ["%d mouse %s down %d %d" % (f, b, x, y), "%d mouse %s up %d %d" % (f + rng.randint(1, 40), b, x, y)]
        f += 41
    elif r < 0.93:
        out.append("%d motion %d %d" % (f, rng.randint(-40, w + 40), rng.randint(-40, h + 40)))
    else:
        out.append("%d modifiers %s" % (f, rng.choice(["none", "none", "shift", "ctrl", "alt", "ctrl+alt", "shift+alt"])))
    f += rng.randint(1, 25)
print("\n".join(l for l in out if int(l.split()[0]) < frames))
PY

# A small quarantine: freed memory that AddressSanitizer holds back (256 MB by default) would read as growth.
export ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=16 UBSAN_OPTIONS=print_stacktrace=1 ALSOFT_DRIVERS=null LIBGL_ALWAYS_SOFTWARE=1
start=$(date +%s)
xvfb-run -a -s "-screen 0 ${width}x${height}x24 -noreset" sh -c 'echo $$ > pid; exec "$0" "$@"' "$BINARY" \
  --window "${width}x${height}" \
  --fixed-step 0.02 --frames "$frames" --input-script script.txt --trace trace.txt > output.txt 2>&1 &
runner=$!
while [ ! -s pid ]; do sleep 0.2; done
pid=$(cat pid)
while kill -0 "$runner" 2>/dev/null; do
  awk '/VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null >> rss.txt || true
  sleep 1
done
status=0
wait "$runner" || status=$?
seconds=$(( $(date +%s) - start ))

last=$(tail -n 1 trace.txt | cut -d' ' -f1)
sanitizer=$(grep -c -E "ERROR: AddressSanitizer|runtime error:" output.txt || true)
glErrors=$(grep -c " log OpenGL Error" trace.txt || true)
count() { grep -c -E " $1( |$)" trace.txt || true; }
# Flat memory: the first half of the run takes in the warm-up (the first eruptions, splinters, world sizes and
# the caches of the GL driver); after it the peak of the last quarter may not rise 8 MB above the third's.
quarters=$(awk '{ v[NR] = $1 } END { for (q = 1; q <= 4; q++) { m = 0; for (i = int((q - 1) * NR / 4) + 1; i <= int(q * NR / 4); i++) if (v[i] > m) m = v[i]; printf "%d ", m / 1024 } }' rss.txt)
read -r _ _ q3 q4 <<<"$quarters"
growth=$(( q4 - q3 ))
echo "soak: exit $status, last frame $last of $frames, ${seconds} s ($(( frames / (seconds > 0 ? seconds : 1) )) frames/s)"
echo "soak: $(grep -c . script.txt) input events; $(count erupt) eruptions, $(count scene) scene changes, $(grep -c 'prefs save' trace.txt || true) saves, $(grep -c 'prefs load' trace.txt || true) loads"
echo "soak: sanitizer reports $sanitizer, GL errors $glErrors, resident memory peaks by quarter ${quarters}MB (last over third: $growth MB)"
# A short run is all warm-up (a few seconds, a sample a second): its memory is reported, not judged.
[ "$frames" -lt 10000 ] && growth=0
if [ "$status" -ne 0 ] || [ "$last" != "$frames" ] || [ "$sanitizer" -ne 0 ] || [ "$glErrors" -ne 0 ] || [ "$growth" -gt 8 ]; then
  echo "soak: FAILED (seed $seed)"; grep -m 5 -E "ERROR: AddressSanitizer|runtime error:|OpenGL Error" output.txt trace.txt || true
  exit 1
fi
echo "soak: passed"
