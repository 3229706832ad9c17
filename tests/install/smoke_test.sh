#!/usr/bin/env bash
# Starts the installed program on a private X server, waits for its main window with the
# caption, closes it the way a window manager's close box does, and expects the program to
# end by itself with exit code 0 (nothing is unsaved at start, so it must not ask). The
# window's class must be the one the menu entry names, or the desktop shows the running
# program apart from its menu entry.
#
# Usage: smoke_test.sh PREFIX CLOSE_WINDOW_HELPER CAPTION
set -uo pipefail
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed" && exit 77; }
prefix=$1 closer=$2 caption=$3
work=$(mktemp -d) app_pid='' xvfb_pid=''
trap '{ kill -9 $app_pid; kill $xvfb_pid && wait $xvfb_pid; } 2>/dev/null; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    tail -n +1 "$work"/*.log
    exit 1
}

# Xvfb picks a free display and writes its number to fd 3: parallel tests never collide.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break || sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"

# The suite runs offscreen; this test needs real X windows. In a sanitizer build, leaks of
# the system libraries behind them are not the program's.
mkdir -m 700 "$work/runtime"
LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp:print_suppressions=0" QT_QPA_PLATFORM=xcb \
    XDG_RUNTIME_DIR="$work/runtime" "$prefix/bin/platnovnik" >"$work/program.log" 2>&1 &
app_pid=$!

"$closer" "$caption" 20 >"$work/closer.log" 2>&1 || fail "no main window with caption \"$caption\""
wm_class=$(sed -n 's/^StartupWMClass=//p' "$prefix"/share/applications/*.desktop)
grep -Eq "^class: .*\\b$wm_class\\b" "$work/closer.log" ||
    fail "the window's class is not the menu entry's $wm_class"

for _ in $(seq 150); do kill -0 "$app_pid" 2>/dev/null && sleep 0.1 || break; done
kill -0 "$app_pid" 2>/dev/null && fail "the program still runs 15 s after its window closed"
wait "$app_pid"
code=$? app_pid=''
[ "$code" -eq 0 ] || fail "the program ended with exit code $code"
echo "the window \"$caption\" appeared and closing it ended the program with 0"
