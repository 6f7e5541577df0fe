#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs the whole test suite.
#   scripts/run-tests.sh            plain build in build/
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
ctest --test-dir "$dir" --output-on-failure -j1 --repeat until-pass:2 "$@"
