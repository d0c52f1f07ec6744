#!/usr/bin/env bash
# The program starts and draws under a Wayland compositor: weston, drawing onto the
# virtual X screen, runs it as a Wayland client; the cube shows in the middle of the
# screen and Esc ends it with status 0. Skipped without weston or Qt's Wayland plugin.
# Usage: wayland.sh path/to/tornelo
source "$(dirname "$0")/lib.sh"
command -v weston >/dev/null || { echo "skipped: weston is missing"; exit 77; }
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-*.so >/dev/null 2>&1 ||
  { echo "skipped: Qt's Wayland plugin is missing"; exit 77; }

export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=tornelo-e2e
# The kiosk shell gives the program's window the whole output, which fills the screen.
weston --backend=x11-backend.so --use-pixman --width=1920 --height=1080 --socket=$socket \
  --shell=kiosk-shell.so --no-config >"$WORK/weston.txt" 2>&1 &
WESTON=$!
trap 'kill $WESTON 2>/dev/null || true; cleanup' EXIT
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$socket" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "weston did not start: $(cat "$WORK/weston.txt")"
output=""
for _ in $(seq 100); do
  output=$(xdotool search --classname '^weston' 2>/dev/null | head -1) || true
  [ -n "$output" ] && break
  sleep 0.1
done
[ -n "$output" ] || fail "weston's output window did not appear"

WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$PROGRAM" >"$WORK/out.txt" 2>&1 &
PID=$!
# The first frames; then the middle of the screen shows the cube's face colours.
deadline=$((SECONDS + 20))
while :; do
  sleep 1
  kill -0 "$PID" 2>/dev/null || fail "the program ended: $(cat "$WORK/out.txt")"
  import -window root "$WORK/screen.png"
  convert "$WORK/screen.png" -gravity center -crop 30%x40%+0+0 +repage "$WORK/middle.png"
  red=$(share "$WORK/middle.png" "r > 0.35 && g < 0.6 * r && b < 0.6 * r")
  white=$(share "$WORK/middle.png" "r > 0.5 && g > 0.5 && b > 0.5")
  if at_least "$red" 0.04 && at_least "$white" 0.04; then break; fi
  ((SECONDS < deadline)) || fail "no cube in the middle of the screen (red $red, white $white)"
done

# Keys reach the Wayland client through the compositor.
xdotool mousemove --window "$output" 10 10
xdotool key Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "after Esc the program's status is \"$STATUS\" (output: $(cat "$WORK/out.txt"))"
echo "ok: the cube drawn under weston, Esc ended it"
