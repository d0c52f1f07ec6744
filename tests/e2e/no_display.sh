#!/usr/bin/env bash
# Without a display the program says so in one line, names xvfb-run, and ends with
# status 1; so it does when the display named cannot be opened, and on a platform that
# shows no windows.
# Usage: no_display.sh path/to/tornelo
set -uo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check() {   # check WHAT STATUS ERRFILE OUTFILE
  local what=$1 status=$2 err=$3 out=$4
  [ "$status" -eq 1 ] || { echo "FAIL ($what): status $status, not 1" >&2; cat "$err" >&2; exit 1; }
  [ "$(wc -l <"$err")" -eq 1 ] || { echo "FAIL ($what): not one line:" >&2; cat "$err" >&2; exit 1; }
  grep -q 'xvfb-run -a -s "-screen 0 1920x1080x24"' "$err" ||
    { echo "FAIL ($what): the line does not show how to use xvfb-run:" >&2; cat "$err" >&2; exit 1; }
  [ ! -s "$out" ] || { echo "FAIL ($what): something on standard output" >&2; exit 1; }
}

# No display at all.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$program" >"$work/out1" 2>"$work/err1"
check "no DISPLAY" $? "$work/err1" "$work/out1"
grep -q "no display" "$work/err1" || { echo "FAIL: the line does not say that there is no display" >&2; exit 1; }

# A display that is not there.
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:97531 timeout 20 "$program" >"$work/out2" 2>"$work/err2"
check "unreachable DISPLAY" $? "$work/err2" "$work/out2"
grep -q '":97531" could not be opened (.*97531)' "$work/err2" ||
  { echo "FAIL: the line does not give the window system's own reason:" >&2; cat "$work/err2" >&2; exit 1; }

# A platform that shows no windows, with a display there or not: no box waits unseen.
for display in "" ":97531"; do
  env -u WAYLAND_DISPLAY DISPLAY="$display" QT_QPA_PLATFORM=offscreen timeout 20 "$program" \
    >"$work/out3" 2>"$work/err3"
  check "offscreen, DISPLAY=$display" $? "$work/err3" "$work/out3"
done

echo "ok: $(cat "$work/err1")"
