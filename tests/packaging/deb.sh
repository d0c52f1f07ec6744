#!/usr/bin/env bash
# cpack -G DEB from the build tree, into a folder of its own: the package is called
# tornelo_*.deb, is in section games, depends on the libraries its programs link, holds
# each file where Debian has it (programs stripped) and lintian finds no error or warning.
# Usage: deb.sh BUILD_DIR CPACK
set -euo pipefail
build=$1
cpack=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && "$cpack" -G DEB -B "$work" >"$work/cpack.txt" 2>&1) ||
  fail "cpack failed: $(cat "$work/cpack.txt")"
debs=("$work"/tornelo_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || fail "no tornelo_*.deb made: $(cat "$work/cpack.txt")"

[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libjpeg62-turbo qt6-qpa-plugins; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
# Neither program draws without a display: nothing pulls in the off-screen GL.
if grep -q libosmesa <<<"$depends"; then fail "Depends names OSMesa: $depends"; fi

dpkg-deb -c "$deb" | awk '{ print $6 }' >"$work/files"
id=$(sed -n 's/^Icon=//p' "$build"/packaging/*.desktop)
for path in usr/games/tornelo usr/games/tornelo-cli \
            usr/share/tornelo/texture1.jpg usr/share/tornelo/texture6.jpg \
            usr/share/tornelo/Saves/superflip.tnl \
            "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
            "usr/share/icons/hicolor/scalable/apps/$id.svg" "usr/share/icons/hicolor/48x48/apps/$id.png" \
            usr/share/man/man6/tornelo.6.gz usr/share/man/man6/tornelo-cli.6.gz \
            usr/share/doc/tornelo/copyright usr/share/doc/tornelo/changelog.gz; do
  grep -qx "./$path" "$work/files" || fail "the package lacks /$path"
done

mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
for program in tornelo tornelo-cli; do
  file "$work/root/usr/games/$program" | grep -q ", stripped" || fail "$program is not stripped"
done

status=0
lintian --fail-on error,warning "$deb" >"$work/lintian.txt" 2>&1 || status=$?
grep -v "^running with root privileges" "$work/lintian.txt" || true
[ "$status" = 0 ] || fail "lintian found errors or warnings"
echo "ok: $(basename "$deb"), lintian clean"
