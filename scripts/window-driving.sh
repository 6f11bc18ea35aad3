# Driving a real window in a virtual X server with xdotool and xclip, as a user would: sourced by
# the scripts that start the installed or packaged program. The caller defines fail MESSAGE and
# sets program to the pid of the program it starts; work is a temporary folder of its own. At
# exit the program, if still running, is ended and the folder removed.
work="$(mktemp -d)"
program=""
end_driving() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  rm -rf "$work"
}
trap end_driving EXIT

# The X window of that exact title, once there (at most a minute).
window() {
  local id
  for _ in $(seq 120); do
    id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)"
    [ -n "$id" ] && { echo "$id"; return 0; }
    [ -n "$program" ] && ! kill -0 "$program" 2>/dev/null && fail "the program ended before \"$1\" came up"
    sleep 0.5
  done
  fail "no window \"$1\" came up"
}
absent() {
  [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true)" ]
}
keys() { # WINDOW KEY...
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.5
  shift
  xdotool key --delay 150 "$@"
  sleep 1.5
}
copied() { # what a click into the view and Ctrl+A Ctrl+C copy (or the marker left in place)
  printf 'nothing copied' | xclip -selection clipboard >/dev/null 2>&1 # it stays, serving the selection
  xdotool mousemove --window "$1" 290 150 click 1
  sleep 1
  keys "$1" ctrl+a ctrl+c
  xclip -selection clipboard -o 2>/dev/null || true
}
# WINDOW TIDY: the tree view copies the label of the node clicked, one line of the figure that
# TIDY holds as a test tidies it; the text view would copy all of its text.
shows_tree() {
  local label
  label="$(copied "$1" | tr -d '\r')"
  [ "$(wc -l <<<"$label")" -eq 1 ] && sed 's/^\t*//' "$2" | grep -qxF -- "$label"
}
ended() { # the program ends by itself, with status 0
  for _ in $(seq 60); do
    if ! kill -0 "$program" 2>/dev/null; then
      local status=0
      wait "$program" || status=$?
      program=""
      [ "$status" -eq 0 ] || fail "the program ended with status $status"
      return 0
    fi
    sleep 0.5
  done
  fail "the program did not end after its window was closed"
}
