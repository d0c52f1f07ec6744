# Shared steps of the end-to-end scripts: run the program on a virtual screen, find its
# window and its OpenGL area, take screenshots and measure regions of them.
#
# A script sources this file with the program's path in $1; the script then runs
# again inside xvfb-run (unless it already is), from the program's directory, where
# the texture pictures are.

set -euo pipefail

PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
if [ -z "${TORNELO_E2E_XVFB:-}" ]; then
  export TORNELO_E2E_XVFB=1
  exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$@"
fi
cd "$(dirname "$PROGRAM")"

WORK=$(mktemp -d)
# The program makes the user's saves folder when it starts where there is no Saves
# folder: keep it in the test's own folder, not in the home folder.
export XDG_DATA_HOME="$WORK/data-home"
# The colours the program stores, likewise.
export XDG_CONFIG_HOME="$WORK/config-home"
PID=""
cleanup() {
  if [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null; then kill "$PID" 2>/dev/null || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${KEEP_SHOTS:-}" ]; then cp -r "$WORK" "$KEEP_SHOTS" && echo "screenshots kept in $KEEP_SHOTS" >&2; fi
  exit 1
}

# Starts the program and waits for its main window; sets PID, WID, GID and the
# geometry of the window (WX WY WW WH) and of its OpenGL area (GX GY GW GH), in
# screen pixels.
start_program() {
  "$PROGRAM" "$@" >"$WORK/out.txt" 2>&1 &
  PID=$!
  find_window
}

# Waits for the main window of the program started as PID; sets WID and GID (the
# OpenGL area's own window) and their geometry, and gives the main window the focus.
find_window() {
  WID=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tornelo$' | head -1) ||
    fail "the window \"Tornelo\" did not appear"
  GID=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tornelo OpenGL area$' | head -1) ||
    fail "the OpenGL area did not appear"
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  WX=$X WY=$Y WW=$WIDTH WH=$HEIGHT
  # The OpenGL area fills the window below the menu bar (xdotool's position of a child
  # window is not reliable; its size is).
  eval "$(xdotool getwindowgeometry --shell "$GID")"
  GW=$WIDTH GH=$HEIGHT
  GX=$((WX + WW - GW)) GY=$((WY + WH - GH))
  xdotool windowfocus --sync "$WID"
  sleep 0.5   # the first frames
}

# Sends keys (xdotool names) to the focused window.
keys() {
  for k in "$@"; do xdotool key "$k"; sleep 0.1; done
}

# Waits up to $1 seconds for the program to end; sets STATUS to its exit status, or
# to "running" when it has not ended.
wait_exit() {
  local i
  for ((i = 0; i < $1 * 10; i++)); do
    kill -0 "$PID" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$PID" 2>/dev/null; then STATUS=running; return; fi
  STATUS=0
  wait "$PID" || STATUS=$?
  PID=""
}

# shot NAME: the OpenGL area now, as $WORK/NAME.png.
shot() {
  import -window root "$WORK/screen.png"
  convert "$WORK/screen.png" -crop "${GW}x${GH}+${GX}+${GY}" +repage "$WORK/$1.png"
}

# region NAME X0 Y0 X1 Y1: the part of a shot between fractions of its width and
# height, as $WORK/NAME-region.png; prints that file's name.
region() {
  local x0 y0 w h
  x0=$(awk -v f="$2" -v s="$GW" 'BEGIN { printf "%d", f * s }')
  y0=$(awk -v f="$3" -v s="$GH" 'BEGIN { printf "%d", f * s }')
  w=$(awk -v a="$2" -v b="$4" -v s="$GW" 'BEGIN { printf "%d", (b - a) * s }')
  h=$(awk -v a="$3" -v b="$5" -v s="$GH" 'BEGIN { printf "%d", (b - a) * s }')
  convert "$WORK/$1.png" -crop "${w}x${h}+${x0}+${y0}" +repage "$WORK/$1-region.png"
  echo "$WORK/$1-region.png"
}

# share FILE EXPR: the fraction (0..1) of the pixels of FILE for which the -fx
# expression EXPR (in r, g, b of 0..1) holds.
share() {
  convert "$1" -sample '120x120>' -fx "($2) ? 1 : 0" -colorspace Gray -format '%[fx:mean]' info:
}

# mean FILE: the mean brightness 0..1.
mean() {
  convert "$1" -colorspace Gray -format '%[fx:mean]' info:
}

# differing A B: how many pixels of two same-sized images differ by more than 10%.
differing() {
  local out status=0
  out=$(compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1) || status=$?
  [ "$status" -le 1 ] || fail "cannot compare $1 with $2: $out"
  awk '{ printf "%d", $1 }' <<<"$out"
}

# at_least VALUE MIN / at_most VALUE MAX: numeric comparisons for the checks.
at_least() { awk -v v="$1" -v m="$2" 'BEGIN { exit !(v >= m) }'; }
at_most() { awk -v v="$1" -v m="$2" 'BEGIN { exit !(v <= m) }'; }

# wait_still NAME SECONDS: waits until two shots 0.6 s apart are the same (nothing
# moves any more), at most SECONDS; the last shot is $WORK/NAME.png.
wait_still() {
  local deadline=$((SECONDS + $2))
  shot "$1"
  while ((SECONDS < deadline)); do
    sleep 0.6
    cp "$WORK/$1.png" "$WORK/$1-before.png"
    shot "$1"
    if [ "$(differing "$WORK/$1-before.png" "$WORK/$1.png")" -eq 0 ]; then return 0; fi
  done
  fail "the picture did not come to rest within $2 s"
}

# wait_change NAME REFERENCE MIN SECONDS: waits until a shot differs from the shot
# REFERENCE in at least MIN pixels, at most SECONDS; the shot is $WORK/NAME.png.
wait_change() {
  local deadline=$((SECONDS + $4)) changed
  while :; do
    shot "$1"
    changed=$(differing "$WORK/$2.png" "$WORK/$1.png")
    if ((changed >= $3)); then return 0; fi
    ((SECONDS < deadline)) || fail "the picture did not change within $4 s ($changed pixels changed)"
    sleep 0.1
  done
}

# The area of the OpenGL window in pixels.
area() { echo $((GW * GH)); }
