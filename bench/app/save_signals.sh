#!/usr/bin/env bash
# Saves ended by SIGTERM at random moments: how many leave a temporary file behind.
# Each round starts `tornelo-cli turn` (which opens a cube and saves it, fsync and all),
# sends it SIGTERM after a random delay within the run's length, and looks for a
# temporary file (.tnl and six letters) in the folder afterwards.
# Usage: bench/app/save_signals.sh path/to/tornelo-cli [ROUNDS]   (default 400)
set -euo pipefail
cli=$1
rounds=${2:-400}
work=$(mktemp -d "${TMPDIR:-/var/tmp}/tornelo-signals-XXXXXX")   # a real disk, not tmpfs
trap 'rm -rf "$work"' EXIT
printf '\1\1\1\1\1\1\1\1\1\2\2\2\2\2\2\2\2\2\3\3\3\3\3\3\3\3\3\4\4\4\4\4\4\4\4\4\5\5\5\5\5\5\5\5\5\6\6\6\6\6\6\6\6\6' >"$work/in.tnl"

# The length of one run (the shortest of five), to spread the signals over it.
span=""
for _ in 1 2 3 4 5; do
  start=$(date +%s%N)
  "$cli" turn "$work/in.tnl" --moves "" --out "$work/out" >/dev/null
  took=$(( ($(date +%s%N) - start) / 1000 ))   # microseconds
  if [ -z "$span" ] || [ "$took" -lt "$span" ]; then span=$took; fi
done
killed=0 saved=0 left=0
for ((i = 0; i < rounds; i++)); do
  rm -f "$work/out.tnl"
  "$cli" turn "$work/in.tnl" --moves "" --out "$work/out" >/dev/null &
  pid=$!
  sleep "$(printf '0.%06d' $(( span * RANDOM / 32768 )))"
  kill -TERM "$pid" 2>/dev/null || true
  status=0
  wait "$pid" || status=$?
  [ "$status" = 143 ] && killed=$((killed + 1))
  [ "$status" = 143 ] && [ -e "$work/out.tnl" ] && saved=$((saved + 1))
  for f in "$work"/.tnl??????; do
    [ -e "$f" ] || continue
    left=$((left + 1))
    rm -f "$f"
  done
done
echo "rounds $rounds (a run takes ${span} us): killed by SIGTERM $killed, of those after a complete save $saved; temporary files left behind: $left"
