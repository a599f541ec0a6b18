#!/usr/bin/env bash
# Runs one fuzz target with libFuzzer (clang, ASan + UBSan) for a while, starting from its saved corpus.
# Usage: scripts/fuzz.sh bmp|prefs|wav|script SECONDS
# New inputs go to build-fuzz/work/TARGET; a crash or hang is written to build-fuzz/findings/ and should be
# mended and then saved in tests/fuzz/corpus/TARGET, where every build replays it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?target: bmp, prefs, wav or script}
seconds=${2:-600}
build=$root/build-fuzz
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVULKORA_FUZZ=ON >/dev/null
fi
cmake --build "$build" -j 2 --target "fuzz_$target" >/dev/null
mkdir -p "$build/work/$target" "$build/findings"
cd "$build"
"$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$build/findings/$target-" "$build/work/$target" "$root/tests/fuzz/corpus/$target"
