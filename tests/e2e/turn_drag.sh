#!/usr/bin/env bash
# Enter turns a layer and a drag turns the view; between them nothing moves by itself.
# Usage: turn_drag.sh path/to/tornelo
source "$(dirname "$0")/lib.sh"

start_program
cube_changed() {   # cube_changed A B: pixels of the cube's part that differ
  differing "$(region "$1" 0.25 0.15 0.75 0.85)" "$(region "$2" 0.25 0.15 0.75 0.85)"
}
cube_pixels=$(( GW * GH / 4 ))   # a quarter of the area: the middle that the cube fills

# After start-up the cube stands still: for 30 ticks the window draws nothing.
shot a
read_report
frames=$FRAMES
wait_ticks 30
read_report
((FRAMES == frames)) || fail "the window drew $((FRAMES - frames)) frames by itself after start-up"
shot b
[ "$(cube_changed a b)" -eq 0 ] || fail "the cube moves by itself after start-up"

# Enter: one quarter turn of the selected layer (20 ticks), then it stands still again.
# Enter also brings up the turn arrows, which keep moving: F8 takes them away. The keys
# go to the OpenGL area itself, as they do once it has the focus.
xdotool windowfocus --sync "$GID"
keys Return
wait_change turning b $((cube_pixels / 100)) 30
keys F8
wait_still turned 30
moved=$(cube_changed b turned)
at_least "$moved" $((cube_pixels / 50)) || fail "the cube does not show the turn ($moved pixels changed)"

# A drag to the right and down turns the view.
cx=$((GX + GW / 2)) cy=$((GY + GH / 2))
xdotool mousemove "$cx" "$cy"
xdotool mousedown 1
for step in 1 2 3 4 5 6; do
  xdotool mousemove "$((cx + step * 15))" "$((cy + step * 8))"
done
xdotool mouseup 1
wait_still dragged 30
moved=$(cube_changed turned dragged)
at_least "$moved" $((cube_pixels / 20)) || fail "the drag did not turn the view ($moved pixels changed)"

# Moving without a button only moves the pointer: nothing is drawn in the ticks after.
read_report
frames=$FRAMES
xdotool mousemove "$((cx - 100))" "$((cy - 50))"
wait_ticks "$REST_TICKS"
read_report
((FRAMES == frames)) || fail "a move without a button drew $((FRAMES - frames)) frames"
shot hovered
[ "$(cube_changed dragged hovered)" -eq 0 ] || fail "a move without a button turned the view"

keys Escape
wait_exit 30
[ "$STATUS" = 0 ] || fail "after Esc the program's status is \"$STATUS\""
echo "ok: Enter turned a layer, the drag turned the view"
