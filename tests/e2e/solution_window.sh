#!/usr/bin/env bash
# The solution window plays the seven steps on the cube: a scrambled cube opened, F12,
# five turns played from the window leave the cube of the first five turns that
# tornelo-cli solve prints, two Lefts leave the first three; key 2 (Shortest) and End
# leave it solved. The cubes are compared by saving them with File > Save.
# Usage: solution_window.sh path/to/tornelo
source "$(dirname "$0")/lib.sh"

cli="$(dirname "$PROGRAM")/tornelo-cli"
"$cli" scramble --turns 30 --seed 11 --out "$WORK/mixed.tnl" >/dev/null || fail "tornelo-cli scramble failed"
read -r -a turns <<<"$("$cli" solve "$WORK/mixed.tnl" --notation | grep -E '^[1-7]: ' | cut -d' ' -f2- | tr '\n' ' ')"
((${#turns[@]} >= 5)) || fail "tornelo-cli solve printed only ${#turns[@]} turns"
"$cli" turn "$WORK/mixed.tnl" --moves "${turns[*]:0:5}" --out "$WORK/want5.tnl" >/dev/null || fail "tornelo-cli turn failed"
"$cli" turn "$WORK/mixed.tnl" --moves "${turns[*]:0:3}" --out "$WORK/want3.tnl" >/dev/null || fail "tornelo-cli turn failed"
python3 -c 'import sys; open(sys.argv[1], "wb").write(bytes(f for f in range(1, 7) for _ in range(9)))' "$WORK/solved.tnl"

# dialog TITLE TEXT: waits for the dialog, types TEXT into it and waits for it to go.
dialog() {
  wait_window "^$1\$" 30
  local id=$FOUND
  xdotool windowfocus --sync "$id"
  xdotool type --delay 20 "$2"
  keys Return
  wait_gone "$id" 30
}

# saved_as NAME WANT: File > Save as NAME once the cube is at rest; the file must hold
# the bytes of WANT.
saved_as() {
  wait_rest 60
  xdotool windowfocus --sync "$WID"
  keys F2
  dialog "Save As" "$WORK/$1.tnl"
  wait_for "the cube saved as $1.tnl" 30 test -s "$WORK/$1.tnl"
  cmp -s "$WORK/$1.tnl" "$WORK/$2" || fail "$1: the cube saved is not the cube of $2"
}

# in_solution KEY...: the keys, sent to the solution window.
in_solution() {
  xdotool windowfocus --sync "$SID"
  keys "$@"
}

start_program
xdotool windowfocus --sync "$WID"
keys F10   # fast turns
keys F3
dialog "Open" "$WORK/mixed.tnl"
xdotool windowfocus --sync "$WID"

keys F12
wait_window '^Tornelo Solution$' 30
SID=$FOUND

# Five turns, the keys pressed faster than the turns are played.
in_solution Right space Right Right Right
saved_as five want5.tnl

in_solution Left Left
saved_as three want3.tnl

in_solution 2 End
saved_as solved-end solved.tnl

xdotool windowfocus --sync "$WID"
keys Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "after Esc the program's status is \"$STATUS\""
echo "ok: five turns from the window as tornelo-cli solve gives them, two taken back, the rest by Shortest"
