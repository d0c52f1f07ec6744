#!/usr/bin/env bash
# The committed icons are byte for byte what the generator draws now.
# Usage: icons.sh path/to/tornelo-genicon ASSETS_ICONS_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" "$work"
diff -r "$work/hicolor" "$2/hicolor" ||
  { echo "FAIL: assets/icons is not what tools/genicon draws: run it again (see tools/genicon)"; exit 1; }
echo "ok: assets/icons is what tools/genicon draws"
