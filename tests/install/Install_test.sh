#!/usr/bin/env bash
# The installed program: every file in place; the manual page, desktop entry and screensaver description valid;
# started from an empty directory it takes its images and sounds from the prefix, keeps its log and preferences
# in the user's directories and draws what a copy of the build's run directory draws.
# Usage: Install_test.sh BUILD_DIR   (needs an X display)
set -euo pipefail
build=$(cd "$1" && pwd) work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
prefix=$work/prefix man=$work/prefix/share/man/man6/vulkora.6
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/vulkora share/man/man6/vulkora.6 share/applications/vulkora.desktop \
         share/icons/hicolor/128x128/apps/vulkora.png share/xscreensaver/config/vulkora.xml; do
  [ -f "$prefix/$f" ] || fail "$f is missing"
done
[ "$(ls "$prefix/share/vulkora" | wc -l)" = 20 ] || fail "not the 14 images and 6 sounds: $(ls "$prefix/share/vulkora")"
[ "$("$prefix/libexec/xscreensaver/vulkora" --version)" = "$("$build/vulkora" --version)" ] || fail "the saver link"
warnings=$(groff -man -ww -z "$man" 2>&1) && [ -z "$warnings" ] || fail "manual page: $warnings"
page=$(groff -man -rHY=0 -Tascii -P-cbou "$man" 2>/dev/null)
for option in $("$build/vulkora" --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -q -- "$option" <<<"$page" || fail "the manual page lacks $option"
done
out=$(desktop-file-validate "$prefix/share/applications/vulkora.desktop" 2>&1) && [ -z "$out" ] || fail "desktop entry: $out"

# Each option the settings program may pass, with its default value, must be one the program takes.
args=$(python3 - "$prefix/share/xscreensaver/config/vulkora.xml" <<'PY'
import sys, xml.etree.ElementTree as ET
saver = ET.parse(sys.argv[1]).getroot()
assert (saver.tag, saver.get('name'), saver.get('_label')) == ('screensaver', 'vulkora', 'Vulkora'), saver.attrib
assert saver.find('command').get('arg') == '--root' and saver.find('_description').text.strip()
print(' '.join(e.get(k).replace('%', e.get('default', '')) for e in saver.iter() for k in ('arg', 'arg-set', 'arg-unset')
               if e.get(k)))
PY
) || fail "screensaver description"
"$prefix/bin/vulkora" $args --version >/dev/null || fail "screensaver description names an option not taken: $args"

# The same run installed and from a copy of the run directory; the "!" key saves the preferences.
printf '210 key !\n' > "$work/script.txt"
common="--window 320x240 --no-sound --fixed-step 0.05 --frames 220 --input-script $work/script.txt"
mkdir "$work/empty" "$work/copy"
(cd "$work/empty" && env -u VULKORA_DATA HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
   XDG_STATE_HOME="$work/state" "$prefix/bin/vulkora" $common --screenshot "$work/installed.png" >/dev/null)
[ -z "$(ls -A "$work/empty")" ] || fail "the installed program wrote into its working directory"
log=$work/state/vulkora/app.log
grep -qx "Data directory: $prefix/share/vulkora" "$log" && grep -qx Fin "$log" || fail "log: $(cat "$log")"
[ "$(stat -c %s "$work/config/vulkora/Vulkora.pref")" = 348 ] || fail "preferences not saved in the user's directory"
ln -s "$build"/run/*.bmp "$build"/run/*.wav "$work/copy/"
(cd "$work/copy" && env -u VULKORA_DATA "$build/vulkora" $common --screenshot "$work/copy.png" >/dev/null)
[ -f "$work/copy/app.log" ] && [ -f "$work/copy/Vulkora.pref" ] || fail "a run directory keeps its log and preferences"
cmp -s "$work/installed.png" "$work/copy.png" || fail "the installed program draws another picture"

# $VULKORA_DATA, with the log under $HOME when no XDG directory is set.
(cd "$work/empty" && env -u XDG_CONFIG_HOME -u XDG_STATE_HOME HOME="$work/home" VULKORA_DATA="$build/run" \
   "$build/vulkora" --window 64x64 --no-sound --frames 1 >/dev/null)
grep -qx "Data directory: $build/run" "$work/home/.local/state/vulkora/app.log" || fail "\$VULKORA_DATA not taken"
echo "install: all checks passed"
