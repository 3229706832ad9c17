#!/usr/bin/env bash
# Builds the program and starts it (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target platnovnik
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s '-screen 0 1280x1024x24' ./build/app/platnovnik
fi
exec ./build/app/platnovnik
