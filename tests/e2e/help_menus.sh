#!/usr/bin/env bash
# F1 opens the help window beside the main window without blocking it, Esc closes the
# help window only and the picture it covered comes back; Alt+O and Alt+F open the
# menus from the keyboard, the arrow keys move in them, Esc closes a menu only, and
# File > Exit chosen with the keys ends the program.
# Usage: help_menus.sh path/to/tornelo
source "$(dirname "$0")/lib.sh"

start_program
wait_still before 10
caption() { xdotool getwindowname "$WID"; }

keys F1
HID=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tornelo Help$' | head -1) ||
  fail "F1 did not open the help window"
eval "$(xdotool getwindowgeometry --shell "$HID")"
[ "$WIDTH" -ge 300 ] && [ "$HEIGHT" -ge 300 ] || fail "the help window is only ${WIDTH}x${HEIGHT}"

# The main window goes on taking keys while the help is shown: C shows the counter.
xdotool windowfocus --sync "$WID"
keys c
sleep 0.3
[ "$(caption)" = "Tornelo. Counter: 0" ] || fail "with the help shown, C did not reach the main window: \"$(caption)\""
keys c
sleep 0.3

# Esc in the help window closes it, and only it.
xdotool windowfocus --sync "$HID"
keys Escape
sleep 0.5
xdotool search --onlyvisible --name '^Tornelo Help$' >/dev/null && fail "Esc did not close the help window"
kill -0 "$PID" 2>/dev/null || fail "Esc in the help window ended the program"
# What the help window covered is drawn again, though nothing changed for the tick.
shot after
changed=$(differing "$WORK/before.png" "$WORK/after.png")
[ "$changed" -eq 0 ] || fail "the picture under the help window was not drawn again ($changed pixels differ)"

# Alt+O opens Options below its caption; Esc closes the menu, not the program.
xdotool windowfocus --sync "$WID"
keys alt+o
sleep 0.5
shot options
menu=$(mean "$(region options 0 0 0.15 0.2)")
at_least "$menu" 0.3 || fail "Alt+O did not open the Options menu (brightness $menu)"
keys Escape
sleep 0.5
kill -0 "$PID" 2>/dev/null || fail "Esc in the open menu ended the program"
wait_still closed 5
closed=$(mean "$(region closed 0 0 0.15 0.2)")
at_most "$closed" 0.05 || fail "Esc did not close the menu (brightness $closed)"

# Alt+F, then down to Exit (New, Save, Open, Exit) and Enter.
keys alt+f Down Down Down Down Return
wait_exit 10
[ "$STATUS" = 0 ] || fail "File > Exit from the keyboard did not end the program (status \"$STATUS\")"
echo "ok: F1 help beside the window, Esc closed it alone, Alt+O and Alt+F opened the menus"
