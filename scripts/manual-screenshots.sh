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
# The title bar's buttons, numbered below the welcome picture's title bar at
# the places the demo measured (at 96 DPI its pixels are the picture's); the
# manual's numbered list under the picture explains them in this order.
legend=(btnThemeFunLanguage btnThemeFunGenRep btnThemeFunHelp btnThemeFunAbout btnWinCtrlMin btnWinCtrlClose)
[ -s "$work/titlebar.txt" ] || { echo "The demo saved no title-bar geometry (titlebar.txt)" >&2; exit 1; }
mapfile -t buttons < <(cut -d' ' -f1 "$work/titlebar.txt")
if [ "${buttons[*]}" != "${legend[*]}" ]; then
  echo "The title bar holds: ${buttons[*]}; the manual's numbered list: ${legend[*]}." >&2
  echo "Give every button its number here and in the manual's list, in the order of the title bar." >&2
  exit 1
fi
bar=$(awk '{ if ($3 + $5 > h) h = $3 + $5 } END { print h + 4 }' "$work/titlebar.txt")
draw=()
number=0
while read -r _ x y w h; do
  number=$((number + 1))
  cx=$((x + w / 2))
  draw+=(-stroke '#c62828' -strokewidth 2 -draw "line $cx,$((y + h)) $cx,$((bar + 8))"
         -stroke none -fill '#c62828' -draw "circle $cx,$((bar + 20)) $cx,$((bar + 8))"
         -fill white -annotate "+$((cx - 300))+$((bar + 20 - (bar + 36) / 2))" "$number")
done <"$work/titlebar.txt"
convert "$work/welcome.png" -crop "600x${bar}+0+0" +repage -background white -gravity north \
  -extent "600x$((bar + 36))" -gravity center -font DejaVu-Sans-Bold -pointsize 14 "${draw[@]}" \
  -alpha remove -alpha off "$work/titlebar.png"

mkdir -p "$images"
for shot in "$work"/*.png; do
  name=$(basename "$shot")
  # Stripped of the time stamps PNG writers add, so unchanged pictures stay unchanged in git.
  convert "$shot" -strip "$images/$name"
  echo "$images/$name"
done
