#!/usr/bin/env bash
# Intermixing scrambles the cube, Build solves it back to the picture of the start,
# Projections shows the face maps and New rebuilds a solved cube.
# Usage: build_solve.sh path/to/tornelo
source "$(dirname "$0")/lib.sh"

start_program
limit=$(( $(area) / 500 ))   # pixels that may differ between two pictures of one cube

# Plain colours: the centre stickers' pictures turn with their layers, their colours
# do not.
keys ctrl+t
wait_still solved 30

# F6 starts random turns; once the counter in the caption (C) shows four, F6 again
# stops them after the turn in progress.
keys c F6
wait_change mixing solved $((limit * 2)) 30
wait_for "four random turns" 60 counter_at_least 4
keys F6
wait_still mixed 30
changed=$(differing "$WORK/solved.png" "$WORK/mixed.png")
at_least "$changed" $((limit * 5)) || fail "Intermixing did not scramble the cube ($changed pixels changed)"

# Fast turns, then Build: the cube comes to rest solved, as it was at the start.
keys F10 F4
wait_still built 120
changed=$(differing "$WORK/solved.png" "$WORK/built.png")
at_most "$changed" "$limit" || fail "after Build the cube is not the solved cube of the start ($changed pixels differ)"

# F11: the six face maps appear in the upper left of the area.
maps_before=$(share "$(region built 0.02 0.05 0.3 0.38)" "r + g + b > 0.3")
keys F11
wait_change maps built "$limit" 30
maps=$(share "$(region maps 0.02 0.05 0.3 0.38)" "r + g + b > 0.3")
at_most "$maps_before" 0.01 || fail "something is drawn where the face maps go ($maps_before)"
at_least "$maps" 0.15 || fail "F11 did not show the face maps ($maps of their area drawn)"
keys F11
wait_still nomaps 30
changed=$(differing "$WORK/solved.png" "$WORK/nomaps.png")
at_most "$changed" "$limit" || fail "F11 again did not take the face maps away ($changed pixels differ)"

# Scramble again, then Ctrl+N: the stickers fly in and the cube stands solved.
turns=$(counter)
keys F6
wait_change mixing2 solved $((limit * 2)) 30
wait_for "four more random turns" 60 counter_at_least $((turns + 4))
keys F6
wait_still mixed2 30
changed=$(differing "$WORK/solved.png" "$WORK/mixed2.png")
at_least "$changed" $((limit * 5)) || fail "the second Intermixing did not scramble the cube"
keys ctrl+n
wait_still renewed 30
changed=$(differing "$WORK/solved.png" "$WORK/renewed.png")
at_most "$changed" "$limit" || fail "Ctrl+N did not rebuild the solved cube ($changed pixels differ)"

keys Escape
wait_exit 30
[ "$STATUS" = 0 ] || fail "after Esc the program's status is \"$STATUS\""
echo "ok: scrambled, built back to the start, face maps shown, rebuilt with Ctrl+N"
