#!/usr/bin/env bash
# F1 opens the help window beside the main window without blocking it, Esc closes the
# help window only and the picture it covered comes back; Alt+O and Alt+F open the
# menus from the keyboard, the arrow keys move in them, Esc closes a menu only, and
# File > Exit chosen with the keys ends the program.
# Usage: help_menus.sh path/to/tornelo
source "$(dirname "$0")/lib.sh"

start_program
wait_still before 30

keys F1
wait_window '^Tornelo Help$' 30   # F1 opens the help window
HID=$FOUND
eval "$(xdotool getwindowgeometry --shell "$HID")"
[ "$WIDTH" -ge 300 ] && [ "$HEIGHT" -ge 300 ] || fail "the help window is only ${WIDTH}x${HEIGHT}"

# The main window goes on taking keys while the help is shown: C shows the counter.
xdotool windowfocus --sync "$WID"
keys c
wait_for "with the help shown, C reaching the main window" 30 caption_is "Tornelo. Counter: 0"
keys c
wait_for "C taking the counter away" 30 caption_is "Tornelo"

# Esc in the help window closes it, and only it.
xdotool windowfocus --sync "$HID"
keys Escape
wait_gone "$HID" 30
kill -0 "$PID" 2>/dev/null || fail "Esc in the help window ended the program"
# What the help window covered is drawn again, though nothing changed for the tick.
wait_still after 30
changed=$(differing "$WORK/before.png" "$WORK/after.png")
[ "$changed" -eq 0 ] || fail "the picture under the help window was not drawn again ($changed pixels differ)"

# Alt+O opens Options below its caption; Esc closes the menu, not the program.
# menu_drawn SHOT X1 Y1 / menu_gone SHOT: whether a shot shows a menu in the upper
# left corner of the area, up to the fractions X1, Y1 of it, or the dark background
# the frame draws there once the menu has gone.
menu_drawn() { shot "$1"; at_least "$(mean "$(region "$1" 0 0 "$2" "$3")")" 0.3; }
menu_gone() { shot "$1"; at_most "$(mean "$(region "$1" 0 0 0.15 0.2)")" 0.05; }
xdotool windowfocus --sync "$WID"
keys alt+o
wait_for "Alt+O opening the Options menu" 30 menu_drawn options 0.15 0.2
keys Escape
wait_for "Esc closing the menu" 30 menu_gone closed
kill -0 "$PID" 2>/dev/null || fail "Esc in the open menu ended the program"

# Alt+F, then down to Exit (New, Save, Open, Exit) and Enter.
keys alt+f
wait_for "Alt+F opening the File menu" 30 menu_drawn file 0.04 0.06
keys Down Down Down Down Return
wait_exit 30
[ "$STATUS" = 0 ] || fail "File > Exit from the keyboard did not end the program (status \"$STATUS\")"
echo "ok: F1 help beside the window, Esc closed it alone, Alt+O and Alt+F opened the menus"
