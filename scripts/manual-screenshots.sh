#!/usr/bin/env bash
# Refreshes the operator manual's pictures (packaging/manual/images/*.png)
# from the real wizard: the demo runs on a simulated transponder and a
# simulated Windows host under Xvfb, drives itself through every page and
# saves each picture of the window itself.
# Usage: scripts/manual-screenshots.sh [build dir] [language]
#   (default: build, and English). Another language ("de", "fr", "es") is
#   handed to the demo (--language) and its pictures go to images/<code>/,
#   which that language's manual (TORV_FW_Manual_<LANG>.md) names.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
language=${2:-en}
images="$root/packaging/manual/images"
[ "$language" = en ] || images="$images/$language"

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target AisUpgradeDemo

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The same fonts on every machine: the ones Debian's fontconfig gives Qt; the
# window unscaled (96 DPI, not Xvfb's 100), at the manual's 600 x 500.
xvfb-run -a -s "-screen 0 800x600x24 -dpi 96" \
  sh "$build/sim/demo/run-AisUpgradeDemo.sh" --scripted --windows --shots "$work" --language "$language" \
  </dev/null >"$work/demo-out.txt" 2>"$work/demo-log.txt" || {
  cat "$work/demo-out.txt" >&2
  echo "The demo did not get through; its log: $work/demo-log.txt" >&2
  trap - EXIT
  exit 1
}
grep -q '^AIS-DEMO done' "$work/demo-out.txt"
# The success page with the firmware the device runs after its power cycle.
if [ ! -f "$work/confirmed.png" ]; then
  echo "The demo saved no picture of the confirmation page (confirmed.png)" >&2
  exit 1
fi
mkdir -p "$images"
for shot in "$work"/*.png; do
  name=$(basename "$shot")
  # Stripped of the time stamps PNG writers add, so unchanged pictures stay unchanged in git.
  convert "$shot" -strip "$images/$name"
  echo "$images/$name"
done
