#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs the whole test suite.
#   scripts/run-tests.sh            plain build in build/, then the Windows steps
#                                   (cross build check and Wine check, in build/windows/)
#   scripts/run-tests.sh asan       AddressSanitizer + UBSan build in build-asan/
#   scripts/run-tests.sh tsan       ThreadSanitizer build in build-tsan/
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

flavour="${1:-plain}"
case "$flavour" in
  plain) dir=build;      opts=() ;;
  asan)  dir=build-asan; opts=(-DAIS_SANITIZE_ADDRESS=ON) ;;
  tsan)  dir=build-tsan; opts=(-DAIS_SANITIZE_THREAD=ON) ;;
  *) echo "unknown build flavour: $flavour (plain, asan or tsan)" >&2; exit 2 ;;
esac
shift || true

cmake -S . -B "$dir" "${opts[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1 second_deadlock_stack=1}"
# The device and communication tests pace real serial traffic on pseudo-terminals
# in real time; run them one at a time so a loaded 2-core machine keeps their
# timing, and give a timing miss one more run.
ctest_rc=0
ctest --test-dir "$dir" --output-on-failure -j1 --repeat until-pass:2 "$@" || ctest_rc=$?

# Windows steps, after the plain build's tests: the Windows-only sources cross
# built with mingw-w64, then the Win32 drivers run under Wine. Each script
# prints its own "N passed, N failed" line; a skip says why.
win_rc=0
if [ "$flavour" = plain ] && [ $# -eq 0 ]; then
  export AIS_WIN_BUILD_DIR="$PWD/$dir/windows"
  win_start=$SECONDS
  if bash scripts/check-windows-build.sh; then
    AIS_WIN_NO_REBUILD=1 bash scripts/wine-fat16-check.sh || win_rc=$?
  else
    win_rc=1
    echo "wine-fat16-check: not run: the Windows build check failed"
  fi
  echo "windows steps: $((SECONDS - win_start)) s"
elif [ "$flavour" = plain ]; then
  echo "windows steps: not run, ctest arguments given ($*)"
fi

[ $ctest_rc -eq 0 ] && [ $win_rc -eq 0 ]
