#!/usr/bin/env bash
# Starts the installed program on a private X server, waits for its main window with the
# caption, closes that window the way a window manager's close button does, and expects the
# program to end by itself with exit code 0 (nothing is unsaved at start, so it must not ask).
# The window's class must be the one the menu entry names, or the desktop shows the running
# program apart from its menu entry.
#
# Usage: smoke_test.sh PREFIX CLOSE_WINDOW_HELPER CAPTION
set -uo pipefail

prefix=$1
closer=$2
caption=$3
program=$prefix/bin/platnovnik

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log")"; cat "$log"; }
    done
    exit 1
}

[ -x "$program" ] || fail "no installed program at $program"

# Xvfb chooses a free display itself and writes its number to fd 3, so tests that run in
# parallel never fight over a display number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
echo "X display $DISPLAY"

# The test suite runs with the offscreen platform; this test needs real X windows. In a
# sanitizer build, leaks of the system libraries behind them are not the program's.
mkdir -m 700 "$work/runtime"
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" "$program" >"$work/program.log" 2>&1 &
app_pid=$!

if ! "$closer" "$caption" 20 >"$work/closer.out"; then
    xwininfo -root -tree >"$work/windows.log" 2>&1
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended before showing its main window"
    fail "the main window with caption \"$caption\" did not appear"
fi
cat "$work/closer.out"
read -r _ class_name class_class < <(grep '^class: ' "$work/closer.out")
wm_class=$(sed -n 's/^StartupWMClass=//p' "$prefix"/share/applications/*.desktop | head -n1)
if [ -n "$wm_class" ] && [ "$wm_class" != "${class_name:-}" ] && [ "$wm_class" != "${class_class:-}" ]; then
    fail "the window's class is \"${class_name:-} ${class_class:-}\", the menu entry expects $wm_class"
fi

for _ in $(seq 150); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
    xwininfo -root -tree >"$work/windows.log" 2>&1
    fail "the program still runs 15 s after its main window was closed"
fi
wait "$app_pid"
code=$?
app_pid=""
[ "$code" -eq 0 ] || fail "the program ended with exit code $code"
echo "the program ended with exit code 0"
