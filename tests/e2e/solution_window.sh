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

# dialog TITLE ACTION: waits for the dialog, types ACTION's text into it and waits for
# it to go.
dialog() {
  local id t
  id=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -1) || fail "the $1 dialog did not appear"
  xdotool windowfocus --sync "$id"
  xdotool type --delay 20 "$2"
  keys Return
  for ((t = 0; t < 50; t++)); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null || return 0
    sleep 0.1
  done
  fail "the $1 dialog did not close"
}

# saved_as NAME WANT: File > Save as NAME once the cube is at rest; the file must hold
# the bytes of WANT.
saved_as() {
  local t
  wait_still "$1" 20
  xdotool windowfocus --sync "$WID"
  keys F2
  dialog "Save As" "$WORK/$1.tnl"
  for ((t = 0; t < 50; t++)); do
    [ -s "$WORK/$1.tnl" ] && break
    sleep 0.1
  done
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
SID=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tornelo Solution$' | head -1) ||
  fail "F12 did not open the solution window"

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
