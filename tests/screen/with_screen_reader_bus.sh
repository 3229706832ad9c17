#!/usr/bin/env bash
# Runs a test program as a desktop with a screen reader runs programs: on a private X screen
# under a real window manager, with a D-Bus session and its accessibility bus, and Qt's bridge
# to screen readers switched on. Offscreen windows have no such bridge.
#
# Usage: with_screen_reader_bus.sh PROGRAM [ARGS]
set -uo pipefail
bus=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb openbox xprop dbus-run-session $bus; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed" && exit 77; }
done
work=$(mktemp -d) wm_pid='' xvfb_pid=''
trap '{ kill $wm_pid; kill $xvfb_pid && wait $xvfb_pid; } 2>/dev/null; rm -rf "$work"' EXIT

. "$(dirname "$0")/private_screen.sh"
start_private_screen 1280 1024 "$work" || { tail -n +1 "$work"/*.log; exit 1; }

mkdir -m 700 "$work/runtime"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_RUNTIME_DIR="$work/runtime"
dbus-run-session -- bash -c '"$0" --launch-immediately & exec "$@"' "$bus" "$@"
