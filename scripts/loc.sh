#!/usr/bin/env bash
# Prints the non-blank lines of code (src and tools), of tests, and tests as a share of code.
# Usage: scripts/loc.sh
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' -o -name '*.c' \
    -o -name '*.py' -o -name '*.sh' \) -print0 | xargs -0 cat | grep -cv '^[[:space:]]*$' || true
}
code=$(count src tools)
tests=$(count tests)
echo "code $code"
echo "tests $tests"
awk -v c="$code" -v t="$tests" 'BEGIN { printf "ratio %.2f\n", c ? t / c : 0 }'
