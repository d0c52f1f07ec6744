#!/usr/bin/env bash
# When the window gets no OpenGL context the program says so, in a message box and on
# standard error, and ends with status 1 once the box is closed.
# Usage: no_opengl.sh path/to/tornelo
source "$(dirname "$0")/lib.sh"

# Qt's X platform without any OpenGL binding.
QT_XCB_GL_INTEGRATION=none "$PROGRAM" >"$WORK/out.txt" 2>"$WORK/err.txt" &
PID=$!
wait_window '^Tornelo$' 30   # the message
box=$FOUND
xdotool windowfocus --sync "$box"
xdotool key Return
wait_exit 30
[ "$STATUS" = 1 ] || fail "the program's status is \"$STATUS\", not 1"
grep -q "^tornelo: .*no OpenGL rendering context" "$WORK/err.txt" ||
  fail "standard error does not say why: $(cat "$WORK/err.txt")"
echo "ok: $(grep '^tornelo:' "$WORK/err.txt")"
