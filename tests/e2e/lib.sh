# Shared steps of the end-to-end scripts: run the program on a virtual screen, find its
# window and its OpenGL area, wait for what the program reports it has drawn, take
# screenshots and measure regions of them.
#
# A script sources this file with the program's path in $1; the script then runs
# again on a virtual X screen of its own (on-virtual-screen, unless it already is),
# from the program's directory, where the texture pictures are.
#
# Nothing here waits for a fixed time: every wait is for a condition (a frame shown,
# the window at rest, a window or caption that appears), polled until a deadline. The
# deadlines are for a quiet machine; TORNELO_E2E_SLOWNESS (the sanitizer tree sets
# it) stretches all of them.

set -euo pipefail

PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
if [ -z "${TORNELO_E2E_XVFB:-}" ]; then
  export TORNELO_E2E_XVFB=1
  exec "$(dirname "${BASH_SOURCE[0]}")/on-virtual-screen" bash "$0" "$@"
fi
cd "$(dirname "$PROGRAM")"

SLOWNESS=${TORNELO_E2E_SLOWNESS:-1}

WORK=$(mktemp -d)
# The program makes the user's saves folder when it starts where there is no Saves
# folder: keep it in the test's own folder, not in the home folder.
export XDG_DATA_HOME="$WORK/data-home"
# The colours the program stores, likewise.
export XDG_CONFIG_HOME="$WORK/config-home"
# The program keeps its count of frames shown and ticks run here (read_report).
export TORNELO_FRAME_REPORT="$WORK/frames"
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

# --- Time and deadlines ------------------------------------------------------------

# now_ms: milliseconds of the wall clock.
now_ms() {
  local us=${EPOCHREALTIME//[!0-9]/}
  echo $((us / 1000))
}

# deadline_after SECONDS: the wall-clock millisecond SECONDS (stretched by SLOWNESS)
# from now.
deadline_after() {
  local span
  span=$(awk -v s="$1" -v f="$SLOWNESS" 'BEGIN { printf "%d", s * f * 1000 }')
  echo $(($(now_ms) + span))
}

# past DEADLINE: whether the deadline has passed.
past() { (($(now_ms) >= $1)); }

# The program started as PID must still run while a script waits for it.
still_running() {
  if [ -n "$PID" ] && ! kill -0 "$PID" 2>/dev/null; then
    fail "the program ended (output: $(cat "$WORK/out.txt" 2>/dev/null))"
  fi
}

# Polling interval of every wait: a condition is seen within this.
poll() { sleep 0.03; }

# wait_for WHAT SECONDS COMMAND...: waits until COMMAND succeeds, at most SECONDS.
wait_for() {
  local what=$1 limit=$2 deadline
  deadline=$(deadline_after "$limit")
  shift 2
  until "$@"; do
    still_running
    past "$deadline" && fail "$what: not within $limit s (slowness $SLOWNESS)"
    poll
  done
}

# --- The program's report of its frames ---------------------------------------------

# read_report: FRAMES (frames shown so far), TICKS (ticks run so far) and RUNNING (1
# while the program's timer runs) from the program's report; all 0 before it has
# written one. The line is read until two reads agree, so that one caught while it was
# being written is not taken.
read_report() {
  local line="" again="" tries
  FRAMES=0 TICKS=0 RUNNING=0
  [ -f "$TORNELO_FRAME_REPORT" ] || return 0
  for ((tries = 0; tries < 100; tries++)); do
    # Two reads by the shell itself, microseconds apart: a tick comes every 30 ms.
    { IFS= read -r line || true; } <"$TORNELO_FRAME_REPORT"
    [ -n "$line" ] || return 0
    { IFS= read -r again || true; } <"$TORNELO_FRAME_REPORT"
    if [ "$line" = "$again" ] && [[ $line =~ ^([0-9]+)\ ([0-9]+)\ ([01])$ ]]; then
      FRAMES=${BASH_REMATCH[1]} TICKS=${BASH_REMATCH[2]} RUNNING=${BASH_REMATCH[3]}
      return 0
    fi
  done
  fail "the program's frame report cannot be read: \"$line\""
}

# wait_frame [AFTER [SECONDS]]: waits until the program has shown more than AFTER
# frames (default 0: its first frame), at most SECONDS (default 60).
wait_frame() {
  local after=${1:-0} limit=${2:-60} deadline
  deadline=$(deadline_after "$limit")
  while :; do
    read_report
    ((FRAMES > after)) && return 0
    still_running
    past "$deadline" && fail "no frame after the ${after}th within $limit s (slowness $SLOWNESS)"
    poll
  done
}

# wait_ticks N [SECONDS]: waits until the program's timer has run N more ticks.
wait_ticks() {
  local start limit=${2:-60} deadline
  deadline=$(deadline_after "$limit")
  read_report
  start=$TICKS
  while :; do
    read_report
    ((TICKS - start >= $1)) && return 0
    still_running
    past "$deadline" && fail "the timer did not run $1 ticks within $limit s ($((TICKS - start)) ran)"
    poll
  done
}

# Rest: the window has shown a frame and shows no new one for REST_TICKS ticks; while
# the timer is stopped (a menu was opened, P), for REST_STOPPED_MS of the wall clock,
# since no tick comes then and only the window system's paints draw.
REST_TICKS=10
REST_STOPPED_MS=$(awk -v f="$SLOWNESS" 'BEGIN { printf "%d", 800 * f }')

# wait_rest [SECONDS]: waits until the window is at rest, at most SECONDS (default 60).
wait_rest() {
  local limit=${1:-60} deadline frames ticks since now
  deadline=$(deadline_after "$limit")
  read_report
  frames=$FRAMES ticks=$TICKS since=$(now_ms)
  while :; do
    poll
    read_report
    now=$(now_ms)
    if ((FRAMES != frames)); then
      frames=$FRAMES ticks=$TICKS since=$now
    elif ((FRAMES > 0)) && { ((TICKS - ticks >= REST_TICKS)) ||
                             { ((RUNNING == 0)) && ((now - since >= REST_STOPPED_MS)); }; }; then
      return 0
    fi
    still_running
    ((now < deadline)) || fail "the window did not come to rest within $limit s (frames $FRAMES, ticks $TICKS)"
  done
}

# --- The window -----------------------------------------------------------------------

# Starts the program and waits for its main window; sets PID, WID, GID and the
# geometry of the window (WX WY WW WH) and of its OpenGL area (GX GY GW GH), in
# screen pixels.
start_program() {
  "$PROGRAM" "$@" >"$WORK/out.txt" 2>&1 &
  PID=$!
  find_window
}

# visible_window NAME: the first visible window whose name matches the pattern NAME,
# or nothing.
visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true; }

# wait_window NAME SECONDS: waits for a visible window whose name matches NAME; sets
# FOUND to it.
wait_window() {
  local deadline
  deadline=$(deadline_after "$2")
  while :; do
    FOUND=$(visible_window "$1")
    [ -n "$FOUND" ] && return 0
    still_running
    past "$deadline" && fail "no window \"$1\" within $2 s"
    poll
  done
}

# shown ID: whether window ID is shown.
shown() { xdotool search --onlyvisible --name '.*' 2>/dev/null | grep -qx "$1"; }

# wait_gone ID SECONDS: waits until window ID is no longer shown.
wait_gone() {
  local deadline
  deadline=$(deadline_after "$2")
  while shown "$1"; do
    past "$deadline" && fail "window $1 was still shown after $2 s"
    poll
  done
}

# Waits for the main window of the program started as PID and for its first frame;
# sets WID and GID (the OpenGL area's own window) and their geometry, gives the main
# window the focus and waits until the window is at rest.
find_window() {
  wait_window '^Tornelo$' 60
  WID=$FOUND
  wait_window '^Tornelo OpenGL area$' 30
  GID=$FOUND
  wait_frame 0 60
  wait_rest 60
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  WX=$X WY=$Y WW=$WIDTH WH=$HEIGHT
  # The OpenGL area fills the window below the menu bar (xdotool's position of a child
  # window is not reliable; its size is).
  eval "$(xdotool getwindowgeometry --shell "$GID")"
  GW=$WIDTH GH=$HEIGHT
  GX=$((WX + WW - GW)) GY=$((WY + WH - GH))
  xdotool windowfocus --sync "$WID"
}

# Sends keys (xdotool names) to the focused window, in order.
keys() {
  local k
  for k in "$@"; do xdotool key "$k"; done
}

# caption: the main window's caption now.
caption() { xdotool getwindowname "$WID"; }

# caption_is TEXT: whether the caption is TEXT.
caption_is() { [ "$(caption)" = "$1" ]; }

# counter: the turn counter the caption shows (after C), or -1 when it shows none.
counter() {
  local c
  c=$(caption)
  if [[ $c =~ ^Tornelo\.\ Counter:\ ([0-9]+)$ ]]; then echo "${BASH_REMATCH[1]}"; else echo -1; fi
}

# counter_at_least N: whether the caption's counter shows N or more.
counter_at_least() { (($(counter) >= $1)); }

# Waits up to $1 seconds for the program to end; sets STATUS to its exit status, or
# to "running" when it has not ended.
wait_exit() {
  local deadline
  deadline=$(deadline_after "$1")
  while kill -0 "$PID" 2>/dev/null && ! past "$deadline"; do poll; done
  if kill -0 "$PID" 2>/dev/null; then STATUS=running; return; fi
  STATUS=0
  wait "$PID" || STATUS=$?
  PID=""
}

# --- Pictures -------------------------------------------------------------------------

# shot NAME: the OpenGL area now, as $WORK/NAME.png.
shot() {
  import -window root -crop "${GW}x${GH}+${GX}+${GY}" +repage "$WORK/$1.png"
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

# wait_still NAME SECONDS: waits until the window is at rest (it has drawn, and draws
# nothing new), at most SECONDS; then shoots it as $WORK/NAME.png.
wait_still() {
  wait_rest "$2"
  shot "$1"
}

# wait_change NAME REFERENCE MIN SECONDS: waits until a shot differs from the shot
# REFERENCE in at least MIN pixels, at most SECONDS; the shot is $WORK/NAME.png.
wait_change() {
  local deadline changed
  deadline=$(deadline_after "$4")
  while :; do
    shot "$1"
    changed=$(differing "$WORK/$2.png" "$WORK/$1.png")
    if ((changed >= $3)); then return 0; fi
    still_running
    past "$deadline" && fail "the picture did not change within $4 s ($changed pixels changed)"
    poll
  done
}

# The area of the OpenGL window in pixels.
area() { echo $((GW * GH)); }
