#!/usr/bin/env bash
# Checks an installed tree the way a desktop reads it: the menu entry starts a program that
# is there, names an icon that the hicolor theme holds at every size, and the metainfo
# describes that same menu entry. The freedesktop and AppStream validators must pass.
#
# Usage: check_desktop_files.sh PREFIX
set -uo pipefail

prefix=$1
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
only_file() { # the single file matching a glob, or nothing
    local files=("$@")
    [ ${#files[@]} -eq 1 ] && [ -e "${files[0]}" ] && echo "${files[0]}"
}
desktop_key() {
    sed -n "s/^$1=//p" "$2" | head -n1
}

program=$prefix/bin/platnovnik
if [ -x "$program" ] && file -L "$program" | grep -q 'ELF .* executable'; then
    echo "ok: program $program"
else
    fail "no executable program at $program"
fi

desktop=$(only_file "$prefix"/share/applications/*.desktop)
if [ -z "$desktop" ]; then
    fail "expected exactly one menu entry in $prefix/share/applications"
else
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
    exec_name=$(desktop_key Exec "$desktop" | cut -d' ' -f1)
    [ -x "$prefix/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
    icon=$(desktop_key Icon "$desktop")
    for size in 16 32 48 256; do
        png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
        if ! file "$png" 2>/dev/null | grep -q "PNG image data, $size x $size,"; then
            fail "no $size x $size PNG icon at $png"
        fi
    done
    # The larger icons are the small pictures enlarged pixel for pixel: taking every third
    # (eighth) pixel gives back the 16 (32) pixel picture exactly.
    for pair in 48:16 256:32; do
        big=$prefix/share/icons/hicolor/${pair%:*}x${pair%:*}/apps/$icon.png
        small=$prefix/share/icons/hicolor/${pair#*:}x${pair#*:}/apps/$icon.png
        if [ -e "$big" ] && [ -e "$small" ]; then
            differing=$(convert "$big" -sample "${pair#*:}x${pair#*:}" png:- |
                compare -metric AE - "$small" null: 2>&1)
            [ "$differing" = 0 ] ||
                fail "the ${pair%:*} pixel icon is not the ${pair#*:} pixel one enlarged ($differing pixels differ)"
        fi
    done
    svg=$prefix/share/icons/hicolor/scalable/apps/$icon.svg
    if [ -e "$svg" ] && ! file "$svg" | grep -q 'SVG'; then
        fail "$svg is not an SVG picture"
    fi
    echo "ok: menu entry $desktop"
fi

metainfo=$(only_file "$prefix"/share/metainfo/*.metainfo.xml)
if [ -z "$metainfo" ]; then
    fail "expected exactly one metainfo file in $prefix/share/metainfo"
else
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
    id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo" | head -n1)
    launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
    # Software centres find the menu entry by the desktop id, which is its file name.
    if [ -n "$desktop" ]; then
        [ "$launchable" = "$(basename "$desktop")" ] ||
            fail "metainfo launches \"$launchable\", the menu entry is $(basename "$desktop")"
        [ "$(basename "$metainfo")" = "$id.metainfo.xml" ] ||
            fail "metainfo file $(basename "$metainfo") is not named after its id $id"
    fi
    # The first picture a software centre shows is the main window.
    default_image=$(grep -A3 '<screenshot type="default">' "$metainfo" | sed -n 's:.*<image>\(.*\)</image>.*:\1:p')
    [ "$(basename "${default_image:-none}")" = mainform.png ] ||
        fail "the default screenshot is \"$default_image\", not the main window (mainform.png)"
    echo "ok: metainfo $metainfo"
fi

# The installed tree as a whole, as AppStream's tools see it.
appstreamcli validate-tree --no-net "$prefix/.." || fail "appstreamcli validate-tree rejects the tree"

[ "$failures" -eq 0 ] || exit 1
