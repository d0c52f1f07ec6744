#!/usr/bin/env bash
# With Texture on (as at start-up), an opened scrambled cube looks scrambled and Build
# solves it back to the picture of the start; Build on a cube with one edge turned over
# shows why it cannot be solved and turns nothing.
# Usage: open_textured.sh path/to/tornelo
source "$(dirname "$0")/lib.sh"

cli="$(dirname "$PROGRAM")/tornelo-cli"
"$cli" scramble --turns 30 --seed 5 --out "$WORK/mixed.tnl" >/dev/null || fail "tornelo-cli scramble failed"
python3 - "$WORK/flipped.tnl" <<'PY'
import sys
solved = bytearray(sum(([f] * 9 for f in range(1, 7)), []))
solved[1], solved[28] = solved[28], solved[1]   # the two stickers of one edge
open(sys.argv[1], "wb").write(solved)
PY

start_program
limit=$(( $(area) / 500 ))
wait_still solved 30
# The solved cube in plain colours too: a built cube has every sticker's colour in
# place, but the pictures' ninths travel with their cubies.
keys ctrl+t
wait_still plain 30
keys ctrl+t
wait_still solved 30

# open_file PATH: File > Open (F3), the name typed into the dialog.
open_file() {
  keys F3
  wait_window '^Open$' 30   # the Open dialog
  local dialog=$FOUND
  xdotool windowfocus --sync "$dialog"
  xdotool type --delay 20 "$1"
  keys Return
  wait_gone "$dialog" 30
  xdotool windowfocus --sync "$WID"
}

open_file "$WORK/mixed.tnl"
wait_still opened 30
changed=$(differing "$WORK/solved.png" "$WORK/opened.png")
at_least "$changed" $((limit * 5)) || fail "the opened scrambled cube looks solved ($changed pixels differ)"

keys F10 F4
wait_still built 150
keys ctrl+t
wait_still builtplain 30
changed=$(differing "$WORK/plain.png" "$WORK/builtplain.png")
at_most "$changed" "$limit" || fail "after Build the cube does not look solved ($changed pixels differ)"
keys ctrl+t

open_file "$WORK/flipped.tnl"
wait_still flipped 30
keys F4
# The message: a second window called "Tornelo".
message_box() {
  BOX=$(xdotool search --onlyvisible --name '^Tornelo$' 2>/dev/null | grep -vx "$WID" | head -1 || true)
  [ -n "$BOX" ]
}
wait_for "a message for Build on a cube with a flipped edge" 30 message_box
xdotool windowfocus --sync "$BOX"
xdotool key Return
wait_gone "$BOX" 30
xdotool windowfocus --sync "$WID"
wait_still after 30
changed=$(differing "$WORK/flipped.png" "$WORK/after.png")
at_most "$changed" 0 || fail "Build on an impossible cube changed the picture ($changed pixels)"

keys Escape
wait_exit 30
[ "$STATUS" = 0 ] || fail "after Esc the program's status is \"$STATUS\""
echo "ok: an opened scramble shows scrambled and builds solved; an impossible cube is refused"
