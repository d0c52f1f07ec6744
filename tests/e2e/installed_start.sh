#!/usr/bin/env bash
# Installed into a staging folder (cmake --install --prefix), the program started from an
# empty folder finds the face pictures in its own data folder: no message, the textured
# cube. Start-up makes no folder; the file dialogs' folder, the user's own saves folder,
# is made when the first dialog opens and gets the example cubes.
# Usage: installed_start.sh path/to/build/tornelo BUILD_DIR CMAKE
source "$(dirname "$0")/lib.sh"
BUILD=$2
CMAKE=$3

STAGE=$WORK/stage
"$CMAKE" --install "$BUILD" --prefix "$STAGE" >"$WORK/install.txt" 2>&1 ||
  fail "cmake --install failed: $(cat "$WORK/install.txt")"
PROGRAM=$STAGE/games/tornelo
[ -x "$PROGRAM" ] || fail "nothing installed as $PROGRAM"

mkdir "$WORK/empty"
cd "$WORK/empty"
"$PROGRAM" >"$WORK/out.txt" 2>&1 &
PID=$!
# The pictures are read before the main window shows; a message about one would come first.
deadline=$(deadline_after 60)
while :; do
  if xdotool search --onlyvisible --name '^BMP Unit$' >/dev/null 2>&1; then
    fail "a message about a picture came: the installed pictures were not found"
  fi
  xdotool search --onlyvisible --name '^Tornelo$' >/dev/null 2>&1 && break
  still_running
  past "$deadline" && fail "the window did not appear within 60 s"
  poll
done
find_window
if xdotool search --onlyvisible --name '^BMP Unit$' >/dev/null 2>&1; then
  fail "a message about a picture is showing"
fi

# The colours of the face pictures (without them the stickers are drawn white): of the
# three faces in view, at least two are of a colour other than white.
shot start
cube=$(region start 0.38 0.3 0.62 0.7)
seen=0
for expr in "r > 0.35 && g < 0.6 * r && b < 0.6 * r" \
            "g > 0.35 && r < 0.6 * g && b < 0.6 * g" \
            "b > 0.25 && r < 0.6 * b && g < 0.6 * b" \
            "r > 0.35 && b > 0.35 && g < 0.6 * min(r, b)" \
            "r > 0.35 && g > 0.35 && b < 0.6 * min(r, g)"; do
  s=$(share "$cube" "$expr")
  if at_least "$s" 0.04; then seen=$((seen + 1)); fi
done
[ "$seen" -ge 2 ] || fail "the cube shows $seen of the face pictures' colours: not textured"

[ ! -e "$XDG_DATA_HOME/tornelo" ] || fail "start-up made the saves folder"
xdotool windowfocus --sync "$WID"
keys F3
wait_window '^Open$' 30   # the Open dialog
dialog=$FOUND
xdotool windowfocus --sync "$dialog"
keys Escape
wait_gone "$dialog" 30

saves=$XDG_DATA_HOME/tornelo/Saves
examples=("$STAGE"/share/tornelo/Saves/*.tnl)
[ -e "${examples[0]}" ] || fail "no example cubes installed"
for example in "${examples[@]}"; do
  cmp -s "$example" "$saves/$(basename "$example")" ||
    fail "the example $(basename "$example") is not in the user's saves folder $saves"
done

xdotool windowfocus --sync "$WID"
xdotool key Escape
wait_exit 30
[ "$STATUS" = 0 ] || fail "after Esc the program's status is \"$STATUS\" (output: $(cat "$WORK/out.txt"))"
echo "ok: the staged program found its pictures ($seen face colours) and gave the user ${#examples[@]} example cubes"
