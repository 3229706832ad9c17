#!/usr/bin/env bash
# Installs the built project under ROOT with the prefix /usr, as a package would lay it out.
#
# Usage: install_tree.sh BUILD_DIR ROOT
set -euo pipefail

build=$1
root=$2

rm -rf "$root"
DESTDIR="$root" cmake --install "$build" --prefix /usr
