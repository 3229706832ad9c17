#!/usr/bin/env bash
# Builds the Debian package with CPack and checks what it would put on a user's machine:
# the program, its menu entry, icons and metainfo and nothing else, and dependencies on the
# Qt 6 runtime found by dpkg-shlibdeps.
#
# Usage: check_deb.sh BUILD_DIR OUTPUT_DIR VERSION
set -uo pipefail

build=$1
out=$2
version=$3
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

rm -rf "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 || {
    cat "$out.log"
    echo "FAIL: cpack could not build the package"
    exit 1
}
debs=("$out"/platnovnik_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || {
    ls -l "$out"
    echo "FAIL: expected one platnovnik_*.deb in $out"
    exit 1
}
deb=${debs[0]}
echo "package $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = platnovnik ] || fail "Package is \"$(field Package)\""
[ "$(field Version)" = "$version" ] || fail "Version is \"$(field Version)\", not $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] ||
    fail "Architecture is \"$(field Architecture)\""
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Section)" ] || fail "no Section"
[ -n "$(field Description)" ] || fail "no Description"

depends=$(field Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6core6 libc6; do
    grep -Eq "(^|, )$library( |,|$)" <<<"$depends" || fail "Depends does not name $library"
done

# Every file the package holds, against what it should hold.
contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sed 's:^\./:/:' | sort)
echo "$contents"
expected_patterns=(
    '^/usr/bin/platnovnik$'
    '^/usr/share/applications/[^/]+\.desktop$'
    '^/usr/share/metainfo/[^/]+\.metainfo\.xml$'
    '^/usr/share/icons/hicolor/16x16/apps/platnovnik\.png$'
    '^/usr/share/icons/hicolor/32x32/apps/platnovnik\.png$'
    '^/usr/share/icons/hicolor/48x48/apps/platnovnik\.png$'
    '^/usr/share/icons/hicolor/256x256/apps/platnovnik\.png$'
)
optional_patterns=('^/usr/share/icons/hicolor/scalable/apps/platnovnik\.svg$')
for pattern in "${expected_patterns[@]}"; do
    [ "$(grep -Ec "$pattern" <<<"$contents")" -eq 1 ] || fail "the package lacks $pattern"
done
while read -r path; do
    known=0
    for pattern in "${expected_patterns[@]}" "${optional_patterns[@]}"; do
        [[ $path =~ $pattern ]] && known=1
    done
    [ "$known" -eq 1 ] || fail "the package holds an unexpected file $path"
done <<<"$contents"

# The packaged program must be the real one, ready to run from /usr/bin.
mode=$(dpkg-deb -c "$deb" | awk '$NF == "./usr/bin/platnovnik" { print $1 }')
[[ $mode == -rwxr-xr-x ]] || fail "/usr/bin/platnovnik has mode $mode"

# Qt and the C++ runtime come from the system's library folder, found without a search path.
program=$(mktemp)
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/platnovnik >"$program"
search_path=$(readelf -d "$program" | grep -E 'RPATH|RUNPATH')
rm -f "$program"
[ -z "$search_path" ] || fail "the packaged program carries a library search path: $search_path"

[ "$failures" -eq 0 ] || exit 1
