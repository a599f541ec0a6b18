#!/usr/bin/env bash
# Fails on any #include in src/ that points up the folder layers, and on any two files that include each other.
# Usage: scripts/check-layers.sh   (exit 0 clean, 1 with the offending lines listed)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/src"

# Bottom to top; folders on one level (split by '/') may not include each other. main stands for main.cpp.
order="core scene gfx camera world/sound ui app main"

grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' $(find . -name '*.cpp' -o -name '*.h' | sort) |
awk -v order="$order" '
function folder(path) { sub(/^\.\//, "", path); return path ~ /\// ? substr(path, 1, index(path, "/") - 1) : "main" }
function unit(path) { sub(/^\.\//, "", path); sub(/\.(cpp|h)$/, "", path); return path }
BEGIN {
    n = split(order, levels, " ")
    for (i = 1; i <= n; ++i) { m = split(levels[i], peers, "/"); for (j = 1; j <= m; ++j) level[peers[j]] = i }
}
{
    split($0, parts, ":")
    file = parts[1]; line = parts[2]
    match($0, /"[^"]+"/); target = substr($0, RSTART + 1, RLENGTH - 2)
    from = folder(file); to = folder(target)
    where = "src/" substr(file, 3) ":" line ": #include \"" target "\""
    if (!(from in level) || !(to in level)) { print where "  (folder not in the layer order)"; bad = 1 }
    else if (from != to && level[to] >= level[from]) { print where "  (" from " may not include " to ")"; bad = 1 }
    a = unit(file); b = unit(target)
    if (a != b) { edge[a, b] = where; if ((b, a) in edge) { print edge[b, a] "  <->  " where; bad = 1 } }
}
END { exit bad }
' && echo "layers: clean ($order)"
