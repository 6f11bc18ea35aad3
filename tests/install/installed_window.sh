#!/usr/bin/env bash
# The installed varnoke in a virtual X server, started as a file manager would with the
# installed sample as FILE: the start-up message (no poser.exe beside the installed program) is
# answered, then the window shows the sample tested clean in its tree view (a click into the
# view and Ctrl+A Ctrl+C copy one node's label, a line of the sample), closes by File > Exit
# without a question, and the program ends with status 0.
#   installed_window.sh PREFIX
set -euo pipefail
if [ -z "${VARNOKE_INSTALLED_DISPLAY:-}" ]; then
  exec env VARNOKE_INSTALLED_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
prefix="$(cd "$1" && pwd)"
fail() {
  echo "installed window: $*" >&2
  exit 1
}
source "$(dirname "$0")/../../scripts/window-driving.sh"

# A settings store of its own, never the developer's.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME"
sample="$prefix/share/varnoke/Runtime/Geometries/Mannikin/mannikin.phi"
{ "$prefix/bin/varnoke-cli" tidy "$sample" || true; } | tr -d '\r' >"$work/tidy.txt" # the window judges the test
[ -s "$work/tidy.txt" ] || fail "varnoke-cli tidy gave nothing"

cd "$work"
"$prefix/bin/varnoke" "$sample" >"$work/output.txt" 2>&1 &
program=$!
keys "$(window Varnoke)" Return
main="$(window "Varnoke V2.0")"
sleep 1
absent Varnoke || fail "a second box came up beside the window"
shows_tree "$main" "$work/tidy.txt" || fail "the sample did not come up tested clean in the tree view"
keys "$main" alt+f x # no window manager here to close it with Alt+F4
ended
echo "installed window: the sample came up tested clean in the tree view, and the program ended"
