#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the wizard's demo and starts it:
# the real wizard with a simulated AIS-B-470 (older firmware) on a fake USB
# serial port, its simulated bootloader volume and a newer firmware package.
# Press Start, then Next, and watch a whole upgrade; Finish switches the
# simulated device off and on, so a new Start shows its new version.
#
# With a display the window opens there. Without one the demo runs under
# Xvfb, drives itself through Start, Next and Finish, an upgrade from
# bootloader mode with its new firmware confirmed after the power cycle, a
# Start with an older package beside the program (the downgrade warning)
# and a Start without the device, and saves screenshots of the window to
# build/demo-<page>.png (welcome, info, copy-progress, success,
# bootloader-info, confirmed, new-version, downgrade-warning, no-device).
# The operator manual's pictures come from the same run:
# scripts/manual-screenshots.sh.
#
#   bash scripts/run-demo.sh [LANGUAGE]
# LANGUAGE ("de", "ja", "pt_BR", the pseudo-language "en_XA"; default: the
# language the program itself would choose) is handed to the demo as its
# --language option; the pictures then show that language.
set -euo pipefail
cd "$(dirname "$0")/.."

dir="${AIS_DEMO_BUILD_DIR:-build}"
language=()
[ -n "${1:-}" ] && language=(--language "$1")

bash scripts/setup.sh
cmake -S . -B "$dir" >/dev/null
cmake --build "$dir" -j"$(nproc)" --target AisUpgradeDemo

launcher="$PWD/$dir/sim/demo/run-AisUpgradeDemo.sh"

if [ -n "${DISPLAY:-}" ]; then
  exec sh "$launcher" "${language[@]}"
fi

outdir="$PWD/$dir"
# At 96 DPI (Xvfb's own is 100): the window unscaled, 600 x 500 pictures.
xvfb-run -a -s "-screen 0 800x600x24 -dpi 96" bash -c '
  set -u
  launcher=$1
  outdir=$2
  shift 2
  coproc DEMO { exec sh "$launcher" --scripted "$@" 2>"$outdir/demo-log.txt"; }
  pid=$DEMO_PID
  result=1
  # The demo names each page worth a picture with the window geometry and
  # waits until the picture is taken.
  while IFS= read -r line <&"${DEMO[0]}"; do
    case "$line" in
      "AIS-DEMO shot "*)
        read -r _ _ name geometry <<<"$line"
        import -window root -crop "$geometry" +repage "$outdir/demo-$name.png"
        echo "screenshot: $outdir/demo-$name.png"
        echo taken >&"${DEMO[1]}"
        ;;
      "AIS-DEMO done")
        result=0
        ;;
      "AIS-DEMO failed"*)
        echo "$line" >&2
        ;;
    esac
  done
  wait "$pid" 2>/dev/null || true
  exit "$result"
' _ "$launcher" "$outdir" "${language[@]}" || {
  echo "The demo did not complete the upgrade; its log is in $outdir/demo-log.txt" >&2
  exit 1
}
echo "No display: the demo ran under Xvfb and upgraded the simulated transponder."
