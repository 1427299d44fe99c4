#!/bin/sh
# Installs the build into a fresh folder and checks what a desktop takes from
# it: the program, its menu entry, its AppStream description and its icons.
# Usage: install_test.sh BUILD-FOLDER
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
id=de.kurvenwerk.Kurvenwerk
share=$prefix/share

cmake --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/kurvenwerk" ] || fail "bin/kurvenwerk is missing"
"$prefix/bin/kurvenwerk" --export "$prefix/probe.png" --term "x^2" 2>/dev/null ||
    fail "the installed program does not run"

entry=$share/applications/$id.desktop
[ -f "$entry" ] || fail "$id.desktop is missing"
# Hints pass (the entry is meant to sit under Education and Science); errors and warnings do not.
report=$(desktop-file-validate "$entry") || fail "desktop-file-validate: $report"
if echo "$report" | grep -Eq 'error:|warning:'; then fail "desktop-file-validate: $report"; fi
grep -qx "Exec=kurvenwerk" "$entry" || fail "the entry does not start bin/kurvenwerk"
grep -qx "Icon=$id" "$entry" || fail "the entry does not name the installed icon"
grep -qx "Categories=Education;Math;Science;" "$entry" || fail "the entry's categories"
grep -q "^Name\[de\]=" "$entry" && grep -q "^Comment\[de\]=" "$entry" ||
    fail "the entry has no German name or comment"

report=$(appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $report"

grep -q "<svg" "$share/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is missing"
for size in 48 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/$id.png
    [ -f "$png" ] || fail "the ${size}px icon is missing"
    [ "$(identify -format '%w %h %m' "$png")" = "$size $size PNG" ] ||
        fail "the ${size}px icon is not a ${size}x${size} PNG"
done
echo "installed tree complete"
