#!/usr/bin/env bash
# The CPU the running program takes, in per cent of one core, on its own virtual X
# screen with a window manager (openbox), the window maximised: idle, then under
# Intermixing, then with the turn arrows moving. The X server's share is shown beside
# it (it copies every frame drawn onto its screen).
# Usage: bench/platform/cpu.sh path/to/tornelo [WIDTHxHEIGHT] [seconds per figure]
set -euo pipefail
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
size=${2:-1920x1080}
seconds=${3:-10}
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"
start_tornelo "$program"
sleep 3   # start-up and the first frames

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
# measure NAME: the CPU of the program and of the X server over $seconds.
measure() {
  local p0 x0 p1 x1
  p0=$(ticks "$tornelo") x0=$(ticks "$xvfb")
  sleep "$seconds"
  p1=$(ticks "$tornelo") x1=$(ticks "$xvfb")
  awk -v n="$1" -v p=$((p1 - p0)) -v x=$((x1 - x0)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "%-22s tornelo %5.1f %%  X server %5.1f %%  of a core\n", n, 100 * p / (hz * s), 100 * x / (hz * s) }'
}

eval "$(xdotool getwindowgeometry --shell "$wid")"
echo "window ${WIDTH}x${HEIGHT} on a ${size} screen, ${seconds} s per figure"
measure "idle"
xdotool key F6    # Options > Intermixing
sleep 1
measure "Intermixing"
xdotool key F6
sleep 3           # the turn in progress ends
xdotool key F8    # Options > Arrows
sleep 1
measure "arrows moving"
xdotool key F8
sleep 1
measure "idle again"
