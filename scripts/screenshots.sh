#!/bin/sh
# Renders the wizard pages and the About box into PNG files.
# Usage: scripts/screenshots.sh [build dir]   (default: build)
# The pictures land in <build dir>/screenshots/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target ui_screenshots -j2
mkdir -p "$build/screenshots" "$build/test-work/ui_screenshots"
cd "$build/test-work/ui_screenshots"
QT_QPA_PLATFORM=offscreen AIS_SCREENSHOT_DIR="$build/screenshots" "$build/tests/ui/ui_screenshots"
ls "$build/screenshots"/*.png
