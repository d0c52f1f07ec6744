#!/usr/bin/env bash
# Started where there are no texture pictures, the program reports each of the six
# and then runs as usual: the cube is drawn and Esc ends it with status 0.
# Usage: no_textures.sh path/to/tornelo
source "$(dirname "$0")/lib.sh"

# The program finds the pictures in its own folder too, as a build tree has them: a copy
# in a folder of its own has none there. (The sanitizer tree's program is a script that
# starts the real one: both are copied.)
mkdir "$WORK/empty" "$WORK/bin"
program=$WORK/bin/tornelo
if [ "$(head -c 2 "$PROGRAM")" = "#!" ]; then
  real=$(sed -n 's/^exec \([^ ]*\) .*/\1/p' "$PROGRAM")
  [ -x "$real" ] || fail "no program named in $PROGRAM"
  cp "$real" "$WORK/bin/tornelo-real"
  sed "s|^exec $real |exec $WORK/bin/tornelo-real |" "$PROGRAM" >"$program"
  chmod +x "$program"
else
  cp "$PROGRAM" "$program"
fi
cd "$WORK/empty"
"$program" >"$WORK/out.txt" 2>&1 &
PID=$!
for i in 1 2 3 4 5 6; do
  wait_window '^BMP Unit$' 30   # message $i, about a missing picture
  box=$FOUND
  xdotool windowfocus --sync "$box"
  xdotool key Return
  wait_gone "$box" 30
done
kill -0 "$PID" 2>/dev/null || fail "the program ended after the messages (output: $(cat "$WORK/out.txt"))"

find_window
shot plain
lit=$(share "$(region plain 0.38 0.3 0.62 0.7)" "r + g + b > 0.3")
at_least "$lit" 0.8 || fail "no cube in the middle of the area ($lit lit)"

xdotool windowfocus --sync "$WID"
xdotool key Escape
wait_exit 30
[ "$STATUS" = 0 ] || fail "after Esc the program's status is \"$STATUS\""
echo "ok: six messages, then the cube"
