#!/usr/bin/env bash
# Builds the Debian package with CPack and checks what it would put on a user's machine:
# the program, its menu entry, icons and metainfo and nothing else, and dependencies on the
# Qt 6 runtime found by dpkg-shlibdeps, and on Qt's translations.
#
# Usage: check_deb.sh BUILD_DIR OUTPUT_DIR VERSION
set -uo pipefail
build=$1 out=$2 version=$3 failures=0
fail() { echo "FAIL: $*" && failures=$((failures + 1)); }

rm -rf "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 ||
    { cat "$out.log" && echo "FAIL: cpack could not build the package" && exit 1; }
deb=$(ls "$out"/platnovnik_*.deb) && [ "$(wc -l <<<"$deb")" -eq 1 ] ||
    { echo "FAIL: expected one platnovnik_*.deb in $out" && exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package) $(field Version) $(field Architecture)" = \
    "platnovnik $version $(dpkg --print-architecture)" ] ||
    fail "package, version, architecture: $(field Package) $(field Version) $(field Architecture)"
for name in Maintainer Section Description; do [ -n "$(field $name)" ] || fail "no $name"; done
for package in libqt6widgets6 libqt6core6 libc6 qt6-translations-l10n; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$(field Depends)" || fail "Depends lacks $package"
done

# Every file the package holds, in order, against what it should hold.
contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $NF }' | sed "s: \./: /:" | LC_ALL=C sort -k2)
echo "$contents"
expected="-rwxr-xr-x /usr/bin/platnovnik
/usr/share/applications/sk.platnovnik.Platnovnik.desktop
/usr/share/icons/hicolor/16x16/apps/platnovnik.png
/usr/share/icons/hicolor/256x256/apps/platnovnik.png
/usr/share/icons/hicolor/32x32/apps/platnovnik.png
/usr/share/icons/hicolor/48x48/apps/platnovnik.png
/usr/share/metainfo/sk.platnovnik.Platnovnik.metainfo.xml"
[ "$(sed 's/^-rw-r--r-- //' <<<"$contents" | grep -v '/scalable/apps/platnovnik\.svg$')" = "$expected" ] ||
    fail "the package's files differ from the expected ones"

# Qt and the C++ runtime come from the system's library folder, found without a search path.
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/platnovnik >"$out/program"
! readelf -d "$out/program" | grep -E 'RPATH|RUNPATH' || fail "the program carries a library search path"
[ "$failures" -eq 0 ]
