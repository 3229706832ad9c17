#!/usr/bin/env bash
# Checks an installed tree the way a desktop reads it: the menu entry starts a program that
# is there and names an icon the hicolor theme holds at every size, and the metainfo
# describes that same menu entry. The freedesktop and AppStream validators must pass.
#
# Usage: check_desktop_files.sh PREFIX
set -uo pipefail
prefix=$1 failures=0
fail() { echo "FAIL: $*" && failures=$((failures + 1)); }
for tool in desktop-file-validate appstreamcli convert compare; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed" && exit 77; }
done

desktop=("$prefix"/share/applications/*.desktop)
metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
[ ${#desktop[@]} -eq 1 ] && [ ${#metainfo[@]} -eq 1 ] && [ -e "$desktop" ] && [ -e "$metainfo" ] ||
    { echo "FAIL: expected one menu entry and one metainfo file under $prefix/share" && exit 1; }
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
appstreamcli validate-tree --no-net "$prefix/.." || fail "appstreamcli rejects the tree"

exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_name" ] && file -L "$prefix/bin/$exec_name" | grep -q "ELF .* executable" ||
    fail "Exec=$exec_name is not an installed program"
icons=$prefix/share/icons/hicolor
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 32 48 256; do
    file "$icons/${size}x$size/apps/$icon.png" | grep -q "PNG image data, $size x $size," ||
        fail "no $size x $size icon $icon.png"
done
# The larger icons are the small pictures enlarged pixel for pixel: taking every third
# (eighth) pixel gives back the 16 (32) pixel picture exactly.
for pair in 48:16 256:32; do
    big=${pair%:*} small=${pair#*:}
    differing=$(convert "$icons/${big}x$big/apps/$icon.png" -sample "${small}x$small" png:- |
        compare -metric AE - "$icons/${small}x$small/apps/$icon.png" null: 2>&1)
    [ "$differing" = 0 ] || fail "the $big pixel icon is not the $small pixel one enlarged ($differing)"
done

# Software centres find the menu entry by its file name, and show the main window first.
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo" | head -n1)
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "metainfo is not named after its id $id"
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
    fail "metainfo does not launch $(basename "$desktop")"
grep -A3 '<screenshot type="default">' "$metainfo" | grep -q '<image>.*/mainform.png</image>' ||
    fail "the default screenshot is not the main window (mainform.png)"
[ "$failures" -eq 0 ]
