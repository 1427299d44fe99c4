#!/bin/sh
# Installs the build into a fresh folder and checks what a desktop takes from
# it: the program, its menu entry, its AppStream data, its icons and the file
# type of its drawings.
# Usage: install_test.sh BUILD-FOLDER
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
id=de.kurvenwerk.Kurvenwerk
share=$prefix/share
cmake --install "$1" --prefix "$prefix" >/dev/null

"$prefix/bin/kurvenwerk" --export "$prefix/probe.png" || fail "the installed program does not run"

entry=$share/applications/$id.desktop
# Hints pass (the entry is meant to sit under Education and Science); errors and warnings do not.
report=$(desktop-file-validate "$entry" 2>&1) && ! echo "$report" | grep -Eq 'error|warning' ||
    fail "desktop-file-validate: $report"
for line in "Exec=kurvenwerk %f" "Icon=$id" "Categories=Education;Math;Science;" \
    "MimeType=application/x-kurvenwerk;"; do
    grep -qx "$line" "$entry" || fail "the menu entry lacks $line"
done
grep -q "^Comment\[de\]=" "$entry" || fail "the menu entry has no German comment"

report=$(appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $report"

grep -q "<svg" "$share/icons/hicolor/scalable/apps/$id.svg" || fail "no scalable icon"
for size in 48 128 256; do
    [ "$(identify -format '%w %h %m' "$share/icons/hicolor/${size}x${size}/apps/$id.png")" = \
        "$size $size PNG" ] || fail "no ${size}x${size} PNG icon"
done

# The drawings' file type: a valid package that the desktop's database takes up.
types=$share/mime/packages/$id.xml
xmllint --noout "$types" || fail "the file type is not valid XML"
grep -q '<comment xml:lang="de">' "$types" || fail "the file type has no German comment"
XDG_DATA_DIRS=$share update-mime-database "$share/mime" || fail "update-mime-database refused the file type"
grep -qx 'application/x-kurvenwerk:\*\.kurve' "$share/mime/globs" || fail "*.kurve is not a drawing"
