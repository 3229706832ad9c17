#!/usr/bin/env bash
# Starts the program on a small private X screen (1024 x 600) under a real window manager and
# expects the main window's whole frame, title bar and borders included, to lie on the screen.
# The window manager draws the frame only once the window is shown, which offscreen tests never
# see.
#
# Usage: frame_on_screen.sh PROGRAM CAPTION
set -uo pipefail
for tool in Xvfb openbox xwininfo xprop; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed" && exit 77; }
done
program=$1 caption=$2 width=1024 height=600
work=$(mktemp -d) app_pid='' wm_pid='' xvfb_pid=''
trap '{ kill -9 $app_pid $wm_pid; kill $xvfb_pid && wait $xvfb_pid; } 2>/dev/null; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    tail -n +1 "$work"/*.log
    exit 1
}

. "$(dirname "$0")/private_screen.sh"
start_private_screen $width $height "$work"

mkdir -m 700 "$work/runtime"
LSAN_OPTIONS="detect_leaks=0" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" \
    "$program" >"$work/program.log" 2>&1 &
app_pid=$!

# The frame: the window's place on the screen widened by the extents the window manager gives.
# A loaded machine may take a while to start a sanitizer build: a minute at most.
frame=''
deadline=$((SECONDS + 60))
while [ $SECONDS -lt $deadline ]; do
    sleep 0.2
    id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$caption\"" | awk '{print $1}' | head -n1)
    [ -n "$id" ] || continue
    extents=$(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p' | tr -d ' ')
    [ -n "$extents" ] || continue
    IFS=, read -r left right top bottom <<<"$extents"
    info=$(xwininfo -id "$id")
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/.*Width: *//p' <<<"$info")
    h=$(sed -n 's/.*Height: *//p' <<<"$info")
    frame="$((x - left)),$((y - top)) to $((x + w + right)),$((y + h + bottom)) (title bar $top pixels)"
    # Placing it may take a moment after the frame appears: wait for it to settle on the screen.
    [ "$top" -gt 0 ] && [ $((x - left)) -ge 0 ] && [ $((y - top)) -ge 0 ] &&
        [ $((x + w + right)) -le $width ] && [ $((y + h + bottom)) -le $height ] &&
        { echo "the frame lies on the screen: $frame" && exit 0; }
done
fail "the main window's frame is not on the ${width}x$height screen: ${frame:-no framed window \"$caption\"}"
