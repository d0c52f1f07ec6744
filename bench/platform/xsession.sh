# Shared by the benchmarks of the real window: a virtual X screen of $size of its own
# with a window manager (openbox), and the program started on it, maximised.
# Sourced after `size` is set; sets work (a folder removed at the end), xvfb (the X
# server's pid) and, through start_tornelo, tornelo (the program's pid) and wid.
command -v openbox >/dev/null || { echo "$(basename "$0"): openbox is missing (scripts/setup installs it)" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp -noreset 5>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
pids+=("$xvfb")
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
pids+=("$!")
# The window manager is up once it has announced itself on the root window (xprop).
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done

# start_tornelo PROGRAM: starts it from its own folder (where the texture pictures are)
# and waits for its main window, which gets the focus.
start_tornelo() {
  cd "$(dirname "$1")"
  export XDG_DATA_HOME="$work/data-home" XDG_CONFIG_HOME="$work/config-home"
  "$1" >"$work/out.txt" 2>&1 &
  tornelo=$!
  pids+=("$tornelo")
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tornelo$' | head -1)
  xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
}
