#!/usr/bin/env bash
# The program starts with its window, menu bar and the textured cube in the middle of
# the OpenGL area, and Esc ends it with status 0.
# Usage: start_escape.sh path/to/tornelo
source "$(dirname "$0")/lib.sh"

start_program
shot start

# The window is called "Tornelo" (find_window looks for it by that name) and asks to be
# shown maximised; its restored geometry is 544 x 375 at 345, 174.
state=$(xprop -id "$WID" _NET_WM_STATE)
for atom in _NET_WM_STATE_MAXIMIZED_HORZ _NET_WM_STATE_MAXIMIZED_VERT; do
  grep -q "$atom" <<<"$state" || fail "the window is not shown maximised: $state"
done
hints=$(xprop -id "$WID" WM_NORMAL_HINTS)
grep -q "location: 345, 174" <<<"$hints" && grep -q "size: 544 by 375" <<<"$hints" ||
  fail "the restored geometry is not 544 x 375 at 345, 174: $hints"

# The menu bar sits above the OpenGL area: a light strip the width of the window.
menu_height=$((GY - WY))
[ "$menu_height" -ge 10 ] || fail "no room for a menu bar above the OpenGL area ($menu_height px)"
import -window root "$WORK/screen.png"
convert "$WORK/screen.png" -crop "${WW}x${menu_height}+${WX}+${WY}" +repage "$WORK/menubar.png"
bar=$(mean "$WORK/menubar.png")
at_least "$bar" 0.5 || fail "the menu bar is not there (mean brightness $bar)"

# The corners of the OpenGL area show the black background.
for corner in "0 0 0.08 0.08" "0.92 0 1 0.08" "0 0.92 0.08 1" "0.92 0.92 1 1"; do
  # shellcheck disable=SC2086
  c=$(mean "$(region start $corner)")
  at_most "$c" 0.03 || fail "a corner of the OpenGL area is not dark ($corner: $c)"
done

# The middle shows the cube: hardly any background, and the colours of the faces that
# the opening view shows (of the six face pictures: red, green, blue, white, magenta,
# yellow), each on a good part of the cube.
cube=$(region start 0.38 0.3 0.62 0.7)
dark=$(share "$cube" "r < 0.06 && g < 0.06 && b < 0.06")
at_most "$dark" 0.1 || fail "the middle of the OpenGL area is background ($dark dark)"
declare -A colour=(
  [red]="r > 0.35 && g < 0.6 * r && b < 0.6 * r"
  [green]="g > 0.35 && r < 0.6 * g && b < 0.6 * g"
  [blue]="b > 0.25 && r < 0.6 * b && g < 0.6 * b"
  [white]="r > 0.5 && g > 0.5 && b > 0.5 && abs(r - g) < 0.15 && abs(g - b) < 0.15"
  [magenta]="r > 0.35 && b > 0.35 && g < 0.6 * min(r, b)"
  [yellow]="r > 0.35 && g > 0.35 && b < 0.6 * min(r, g)"
)
seen=0
found=""
for name in "${!colour[@]}"; do
  s=$(share "$cube" "${colour[$name]}")
  if at_least "$s" 0.04; then seen=$((seen + 1)); found="$found $name"; fi
done
[ "$seen" -ge 3 ] || fail "the cube shows fewer than three face colours:$found"

# Esc ends the program, with status 0.
xdotool windowfocus --sync "$WID"
xdotool key Escape
wait_exit 30
[ "$STATUS" = 0 ] || fail "after Esc the program's status is \"$STATUS\" (output: $(cat "$WORK/out.txt"))"
echo "ok: window, menu bar, cube with$found; Esc ended it"
