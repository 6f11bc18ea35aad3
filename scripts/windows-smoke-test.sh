#!/usr/bin/env bash
# The real window of the zip under Wine, in a virtual X server, with its Windows platform
# plugin, driven by the keyboard as a user would:
#  1. with an empty POSER.EXE beside it, `varnoke.exe FILE` (FILE relative, the sample figure)
#     comes up as "Varnoke V2.0" and no box before it, showing the tree: a click into the view
#     and Ctrl+A Ctrl+C copy the label of one node of the sample. F4 shows the text: the same
#     copy all of the sample as a test tidies it (as varnoke-cli tidy writes it); F5 shows the
#     tree again, which only a clean test allows; F12 shows the preview, which must draw the
#     figure (lit faces on the preview's background, read from the window's pixels);
#     Alt+F4 asks "Save Changes?" (showing the text wrote the tree back into it), and No ends
#     the program;
#  2. without POSER.EXE, the start-up message comes first, alone; Enter answers it, then the
#     window comes up, and closes;
#  3. --version prints the version and shows it in a box, which Enter closes.
#   scripts/windows-smoke-test.sh [BUILD] [SCREENSHOT.png]
# Run with WINEPREFIX set (make test-windows does); the clipboard is read through xclip, the
# window's pixels through xwd (x11-apps). The screenshot needs ImageMagick too, which the tests
# themselves do not.
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

# WINDOW: the preview's background (the view's clear colour, 107 112 120) fills a rectangle
# with lit faces, light greys, inside it. Words in its place have no such background.
draws_figure() {
  xwd -silent -id "$1" >"$work/window.xwd" || return 1
  # The header's 32-bit fields, big-endian: its size, the width, the byte order, the bits per
  # pixel and the number of colours that follow it.
  local header
  read -r -a header <<<"$(od -An -v -tu4 --endian=big -N 100 "$work/window.xwd" | tr -s ' \n' ' ')"
  [ "${header[11]}" -eq 32 ] && [ "${header[12]}" -eq $((4 * header[4])) ] || return 1
  od -An -v -tu1 -w4 -j $((header[0] + 12 * header[19])) "$work/window.xwd" |
    awk -v width="${header[4]}" -v lsb=$((header[7] == 0)) '
      function near(a, b) { return a - b <= 1 && b - a <= 1 }
      {
        x = (NR - 1) % width; y = int((NR - 1) / width)
        if (lsb) { r = $3; g = $2; b = $1 } else { r = $2; g = $3; b = $4 }
        if (near(r, 107) && near(g, 112) && near(b, 120)) {
          if (!seen++) { left = right = x; top = bottom = y }
          if (x < left) left = x; if (x > right) right = x; if (y > bottom) bottom = y
        } else if (r > 140 && r < 235 && r - b < 16 && b - r < 16 && r - g < 16 && g - r < 16) {
          lit[x "," y] = 1
        }
      }
      END {
        for (point in lit) {
          split(point, at, ",")
          faces += at[1] > left && at[1] < right && at[2] > top && at[2] < bottom
        }
        exit !(seen > 5000 && faces > 300)
      }'
}
(cd "$work" && unzip -q "$zip")
folder="$(ls -d "$work"/varnoke-*-windows-x64)"
sample="Runtime/Geometries/Mannikin/mannikin.phi"
"$wine" "$folder/varnoke-cli.exe" tidy "$folder/$sample" 2>/dev/null | tr -d '\r' >"$work/tidy.txt"
[ -s "$work/tidy.txt" ] || fail "varnoke-cli tidy gave nothing"

# A first start: no settings kept by an earlier run (the preview would show already).
rm -rf "${WINEPREFIX:?}"/drive_c/users/*/AppData/Roaming/Varnoke

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
keys "$main" F12
sleep 3
# The first OpenGL view makes the window anew.
main="$(window "Varnoke V2.0")"
draws_figure "$main" || fail "F12 did not show the figure in the preview"
keys "$main" alt+F4
# Showing the text wrote the tree back into it, which counts as a change: No, not saved.
keys "$(window Confirm)" alt+n
ended
echo "windows smoke test: in a Poser folder, the sample came up tested clean in the tree view, and F12 drew it"

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
