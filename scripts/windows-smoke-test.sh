#!/usr/bin/env bash
# The real window of the zip under Wine, in a virtual X server, with its Windows platform
# plugin, driven by the keyboard as a user would:
#  1. with an empty POSER.EXE beside it, `varnoke.exe FILE` (FILE relative, the sample figure)
#     comes up as "Varnoke V2.0" and no box before it, showing the tree: a click into the view
#     and Ctrl+A Ctrl+C copy the label of one node of the sample. F4 shows the text: the same
#     copy all of the sample as a test tidies it (as varnoke-cli tidy writes it); F5 shows the
#     tree again, which only a clean test allows;
#     Alt+F4 asks "Save Changes?" (showing the text wrote the tree back into it), and No ends
#     the program;
#  2. without POSER.EXE, the start-up message comes first, alone; Enter answers it, then the
#     window comes up, and closes;
#  3. --version prints the version and shows it in a box, which Enter closes.
#   scripts/windows-smoke-test.sh [BUILD] [SCREENSHOT.png]
# Run with WINEPREFIX set (make test-windows does); the clipboard is read through xclip. The
# screenshot needs xwd (x11-apps) and ImageMagick, which the tests themselves do not.
set -euo pipefail
wine=/usr/lib/wine/wine64
if [ -z "${VARNOKE_SMOKE_DISPLAY:-}" ]; then
  exec env VARNOKE_SMOKE_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
build="$(cd "${1:-build-windows}" && pwd)"
screenshot="${2:+$(realpath -m "$2")}"
zip="$(ls "$build"/packages/varnoke-*-windows-x64.zip)"

fail() {
  echo "windows smoke test: $*" >&2
  exit 1
}
source "$(dirname "$0")/window-driving.sh"
(cd "$work" && unzip -q "$zip")
folder="$(ls -d "$work"/varnoke-*-windows-x64)"
sample="Runtime/Geometries/Mannikin/mannikin.phi"
"$wine" "$folder/varnoke-cli.exe" tidy "$folder/$sample" 2>/dev/null | tr -d '\r' >"$work/tidy.txt"
[ -s "$work/tidy.txt" ] || fail "varnoke-cli tidy gave nothing"

# 1. In a Poser folder.
: >"$folder/POSER.EXE"
cd "$folder"
"$wine" varnoke.exe 'Runtime\Geometries\Mannikin\mannikin.phi' >/dev/null 2>&1 &
program=$!
main="$(window "Varnoke V2.0")"
sleep 2
absent "Varnoke" || fail "a box came up beside the window in a Poser folder"
shows_tree "$main" "$work/tidy.txt" || fail "the sample did not come up in the tree view"
if [ -n "$screenshot" ]; then
  xwd -silent -id "$main" | convert xwd:- "$screenshot" || echo "no screenshot: convert (ImageMagick) is missing" >&2
fi
keys "$main" F4
[ "$(copied "$main" | tr -d '\r')" = "$(cat "$work/tidy.txt")" ] ||
  fail "the text view does not hold the sample as a test tidies it"
keys "$main" F5
shows_tree "$main" "$work/tidy.txt" || fail "the tree view did not come back: the sample has errors"
keys "$main" alt+F4
# Showing the text wrote the tree back into it, which counts as a change: No, not saved.
keys "$(window Confirm)" alt+n
ended
echo "windows smoke test: in a Poser folder, the sample came up tested clean in the tree view"

# 2. Without POSER.EXE: the message first, then the window.
rm "$folder/POSER.EXE"
"$wine" varnoke.exe >/dev/null 2>&1 &
program=$!
box="$(window "Varnoke")"
absent "Varnoke V2.0" || fail "the window came up before the start-up message"
keys "$box" Return
main="$(window "Varnoke V2.0")"
absent "Varnoke" || fail "the start-up message is still there"
keys "$main" alt+F4
ended
echo "windows smoke test: without POSER.EXE, the start-up message came first and was answered"

# 3. --version: printed, and shown in a box, since a window program has no console.
"$wine" varnoke.exe --version >"$work/version.txt" 2>/dev/null &
program=$!
box="$(window "Varnoke")"
keys "$box" Return
ended
[ "$(tr -d '\r' <"$work/version.txt")" = "varnoke $(basename "$folder" | cut -d- -f2)" ] ||
  fail "varnoke --version printed: $(cat "$work/version.txt")"
echo "windows smoke test: --version printed the version and showed it in a box"
