#!/usr/bin/env bash
# Builds the Debian package with CPack and checks what it would put on a user's machine:
# the program, its menu entry, icons, metainfo, manual pages and papers and nothing else,
# and dependencies on the Qt 6 runtime found by dpkg-shlibdeps, and on Qt's translations.
# Then the checks a distribution makes: lintian, the AppStream validator and man. A missing
# tool skips its own check only, and the test ends as skipped (77) unless something failed.
#
# Usage: check_deb.sh BUILD_DIR OUTPUT_DIR VERSION
set -uo pipefail
build=$1 out=$2 version=$3 failures=0 skipped=0
fail() { echo "FAIL: $*" && failures=$((failures + 1)); }
have() {
    command -v "$1" >/dev/null && return
    echo "SKIP: $1 is not installed"
    skipped=1 && return 1
}

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
/usr/share/doc/platnovnik/changelog.gz
/usr/share/doc/platnovnik/copyright
/usr/share/icons/hicolor/16x16/apps/platnovnik.png
/usr/share/icons/hicolor/256x256/apps/platnovnik.png
/usr/share/icons/hicolor/32x32/apps/platnovnik.png
/usr/share/icons/hicolor/48x48/apps/platnovnik.png
/usr/share/man/man1/platnovnik.1.gz
/usr/share/man/sk/man1/platnovnik.1.gz
/usr/share/metainfo/sk.platnovnik.Platnovnik.metainfo.xml"
[ "$(sed 's/^-rw-r--r-- //' <<<"$contents" | grep -v '/scalable/apps/platnovnik\.svg$')" = "$expected" ] ||
    fail "the package's files differ from the expected ones"

# Qt and the C++ runtime come from the system's library folder, found without a search path.
root=$out/root
dpkg-deb -x "$deb" "$root"
! readelf -d "$root/usr/bin/platnovnik" | grep -E 'RPATH|RUNPATH' ||
    fail "the program carries a library search path"

# The changelog's newest entry is this version's; the licence is the system's copy.
doc=$root/usr/share/doc/platnovnik
zcat "$doc/changelog.gz" | head -n1 | grep -q "^platnovnik ($version) " ||
    fail "the changelog does not begin with version $version"
grep -qF '"/usr/share/common-licenses/GPL-3"' "$doc/copyright" ||
    fail "the copyright file does not point to the GPL in /usr/share/common-licenses"
# Every licence that a Files paragraph names has its text in a paragraph of its own.
unexplained=$(awk -v RS= '/^Files:/ { match($0, /\nLicense: [^\n]*/); used[substr($0, RSTART + 10, RLENGTH - 10)] }
    /^License:/ { split($0, line, "\n"); given[substr(line[1], 10)] }
    END { for (name in used) if (!(name in given)) print name }' "$doc/copyright")
[ -z "$unexplained" ] || fail "the copyright file names licences without their text: $unexplained"
metainfo=$root/usr/share/metainfo/sk.platnovnik.Platnovnik.metainfo.xml
licence=$(sed -n '1,/^License: /s/^License: //p' "$doc/copyright")
grep -q "<project_license>$licence</project_license>" "$metainfo" ||
    fail "the metainfo does not give the program's licence $licence"

# lintian runs as any user, root included; its errors and warnings fail the test.
if have lintian; then
    report=$(lintian --allow-root --fail-on none "$deb" 2>&1) || fail "lintian did not run: $report"
    ! grep -E '^[EW]: ' <<<"$report" || fail "lintian finds errors or warnings"
fi
# The validator's only allowed note is the capital letters of the id, which installed copies
# know the program by.
if have appstreamcli; then
    report=$(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1) ||
        fail "appstreamcli rejects the metainfo: $report"
    ! grep -E '^[EWIP]: ' <<<"$report" | grep -v ': cid-contains-uppercase-letter ' ||
        fail "appstreamcli has notes on the metainfo"
fi
# lintian reads only the English page's NAME line; apropos reads each language's (lexgrog).
if have man && have lexgrog; then
    for page in "$root"/usr/share/man/man1/platnovnik.1.gz "$root"/usr/share/man/sk/man1/platnovnik.1.gz; do
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) &&
            [ -z "$warnings" ] || fail "man warns about ${page#"$root"}: $warnings"
        lexgrog "$page" >/dev/null || fail "no NAME line that apropos can read in ${page#"$root"}"
    done
fi
[ "$failures" -eq 0 ] || exit 1
[ "$skipped" -eq 0 ] || exit 77
