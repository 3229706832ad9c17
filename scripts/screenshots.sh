#!/usr/bin/env bash
# Takes the pictures of the windows in docs/ under Xvfb (a developer's tool, not part of CI).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
cmake --build "$build" -j"$(nproc)" --target dialog_gallery
mkdir -p docs
for name in mainform zadajcd vypiscd triedenie vyhladaj hladanie about potermine potermine-tmave; do
    xvfb-run -a -s '-screen 0 1280x1024x24' \
        "$build/tools/dialog_gallery" "$name" "docs/$name.png"
done
