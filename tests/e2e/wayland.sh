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
weston_up() { [ -S "$XDG_RUNTIME_DIR/$socket" ] || ! kill -0 $WESTON 2>/dev/null; }
wait_for "weston's start" 30 weston_up
[ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "weston did not start: $(cat "$WORK/weston.txt")"
weston_output() {
  output=$(xdotool search --classname '^weston' 2>/dev/null | head -1 || true)
  [ -n "$output" ]
}
wait_for "weston's output window" 30 weston_output

WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$PROGRAM" >"$WORK/out.txt" 2>&1 &
PID=$!
# The first frame; then, once weston has shown it, the middle of the screen shows the
# cube's face colours.
wait_frame 0 30
cube_on_screen() {
  import -window root "$WORK/screen.png"
  convert "$WORK/screen.png" -gravity center -crop 30%x40%+0+0 +repage "$WORK/middle.png"
  red=$(share "$WORK/middle.png" "r > 0.35 && g < 0.6 * r && b < 0.6 * r")
  white=$(share "$WORK/middle.png" "r > 0.5 && g > 0.5 && b > 0.5")
  at_least "$red" 0.04 && at_least "$white" 0.04
}
wait_for "the cube in the middle of the screen" 30 cube_on_screen

# Keys reach the Wayland client through the compositor.
xdotool mousemove --window "$output" 10 10
xdotool key Escape
wait_exit 30
[ "$STATUS" = 0 ] || fail "after Esc the program's status is \"$STATUS\" (output: $(cat "$WORK/out.txt"))"
echo "ok: the cube drawn under weston, Esc ended it"
