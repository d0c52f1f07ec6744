#!/usr/bin/env bash
# What clicks on the face maps cost in memory: the real window, maximised under a window
# manager (openbox) on its own virtual X screen, the maps shown (F11); then CLICKS
# clicks, left and right in turn, on the squares of the middle map, and the program's
# resident size (VmRSS) before and after.
# Usage: bench/platform/clicks.sh path/to/tornelo [clicks] [WIDTHxHEIGHT]
# (STEP=n reports the size after every n clicks; 1000 unless set)
set -euo pipefail
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
clicks=${2:-2000}
size=${3:-1920x1080}
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"
start_tornelo "$program"
gid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tornelo OpenGL area$' | head -1)

# The OpenGL area fills the window below the menu bar.
eval "$(xdotool getwindowgeometry --shell "$wid")"
wx=$X wy=$Y ww=$WIDTH wh=$HEIGHT
eval "$(xdotool getwindowgeometry --shell "$gid")"
gw=$WIDTH gh=$HEIGHT
gx=$((wx + ww - gw)) gy=$((wy + wh - gh))

rss() { awk '/^VmRSS/ { print $2 }' "/proc/$tornelo/status"; }

# Waits until the program has handled every event sent before: C shows or hides the
# turn counter in the caption on the next tick, and events are handled in order.
settle() {
  local before name
  before=$(xdotool getwindowname "$wid")
  xdotool key c
  for _ in $(seq 600); do
    name=$(xdotool getwindowname "$wid")
    [ "$name" != "$before" ] && return
    sleep 0.1
  done
  echo "clicks.sh: the program does not answer" >&2
  exit 1
}

xdotool key F11   # Options > Projections
settle
settle

# The centre of each square of the middle map (face 3, centred at (-2.1, 1.1) seven
# units ahead; squares 0.143 apart), in screen pixels: the maps' fixed places, those of
# any area at least 1.47 times as wide as high.
targets=()
for row in 1 2 3; do
  for col in 1 2 3; do
    targets+=("$(awk -v w="$gw" -v h="$gh" -v r="$row" -v c="$col" -v gx="$gx" -v gy="$gy" 'BEGIN {
      f = 1 / (sin(15 * atan2(0, -1) / 180) / cos(15 * atan2(0, -1) / 180)); a = w / h
      x = -2.1 + 0.143 * (c - 2); y = 1.1 - 0.143 * (r - 2)
      printf "%d %d", gx + ((x / 7 * f / a) + 1) / 2 * w, gy + h - ((y / 7 * f) + 1) / 2 * h }')")
  done
done

# click N: N more clicks; each square gets a left and a right click in turn, so the
# colours come back. After each round of the nine squares the program catches up, as
# it would with a person clicking: the clicks measured are not piled up in the event
# queues.
click() {
  local n=$1 sent=0 args t
  while [ "$sent" -lt "$n" ]; do
    args=()
    for t in "${targets[@]}"; do
      [ "$sent" -lt "$n" ] || break
      args+=(mousemove $t click --delay 5 1)
      sent=$((sent + 1))
      [ "$sent" -lt "$n" ] || break
      args+=(click --delay 5 3)
      sent=$((sent + 1))
    done
    xdotool "${args[@]}"
    settle
  done
}

echo "window ${gw}x${gh} (OpenGL area) on a ${size} screen"
report() {
  awk -v n="$1" '/^(VmRSS|RssAnon|RssFile|RssShmem)/ { v[$1] = $2 } END {
    printf "after %6d clicks: VmRSS %7.1f MB (anonymous %.1f, file %.1f, shared %.1f)\n", n,
      v["VmRSS:"] / 1024, v["RssAnon:"] / 1024, v["RssFile:"] / 1024, v["RssShmem:"] / 1024 }' "/proc/$tornelo/status"
}
before=$(rss)
report 0
done_clicks=0
step=${STEP:-1000}
while [ "$done_clicks" -lt "$clicks" ]; do
  n=$((clicks - done_clicks < step ? clicks - done_clicks : step))
  click "$n"
  done_clicks=$((done_clicks + n))
  report "$done_clicks"
done
after=$(rss)
awk -v n="$clicks" -v b="$before" -v a="$after" 'BEGIN {
  printf "%d clicks: VmRSS %.1f MB -> %.1f MB, %+.2f MB (%.1f KB a click)\n", n, b / 1024, a / 1024, (a - b) / 1024, (a - b) / n }'
