#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs the whole test suite.
#   scripts/run-tests.sh            everything below, with one timed summary at the end
#   scripts/run-tests.sh plain      plain build in build/, all tests, then the Windows steps
#                                   (cross build checks, Windows packages, Wine checks, in build/windows/)
#   scripts/run-tests.sh deb        Debian package (release build in build-deb/) installed,
#                                   run as an ordinary user on the simulator and removed;
#                                   its sums, build paths and a second build compared
#   scripts/run-tests.sh asan       AddressSanitizer + UBSan build in build-asan/ (tests labelled asan)
#   scripts/run-tests.sh tsan       ThreadSanitizer build in build-tsan/ (tests labelled tsan)
#   scripts/run-tests.sh fuzz       every fuzzer for a bounded CPU time (AIS_FUZZ_SECONDS, default 30)
# Extra arguments after plain/asan/tsan go to ctest (for example -L e2e); the
# Windows steps then do not run. AIS_TEST_JOBS sets how many tests run side
# by side (default: three per core).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0 abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1 halt_on_error=1}"
# Every build goes through ccache (scripts/setup.sh installs it); its cache
# lives in the user's ~/.cache, so a clean clone finds what earlier clones
# compiled, and the release checks' second builds cost little.
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_C_COMPILER_LAUNCHER="${CMAKE_C_COMPILER_LAUNCHER:-ccache}"
  export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
  # On a miss ccache takes the headers from the compiler's own -MD list
  # instead of running the preprocessor once more.
  export CCACHE_DEPEND="${CCACHE_DEPEND:-1}"
fi
TEST_JOBS="${AIS_TEST_JOBS:-$(( $(nproc) * 3 ))}"

# The test builds only: one unity source per eight files (the headers, mostly
# Qt's, are parsed once instead of eight times) and lld for the many test
# programs; together they take about half the CPU time of a build. The
# packages (scripts/build-deb.sh, scripts/build-windows.sh) are built file by
# file with the system's linker, which also keeps every file compiling on its
# own.
test_build_opts=(-DCMAKE_UNITY_BUILD=ON)
if command -v ld.lld >/dev/null 2>&1; then
  test_build_opts+=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld
                    -DCMAKE_MODULE_LINKER_FLAGS=-fuse-ld=lld)
fi

build_dir() {
  case "$1" in plain) echo build ;; asan) echo build-asan ;; tsan) echo build-tsan ;; esac
}

# One build flavour: configure and build. A sanitizer build holds only the
# tests of its flavour (cmake/AisTesting.cmake says which and why).
build_flavour() {
  local flavour="$1" dir opts gen=()
  dir="$(build_dir "$flavour")"
  # Ninja for a new build folder; a folder made before keeps its generator.
  if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then gen=(-G Ninja); fi
  case "$flavour" in
    plain) opts=() ;;
    asan)  opts=(-DAIS_SANITIZE_ADDRESS=ON) ;;
    tsan)  opts=(-DAIS_SANITIZE_THREAD=ON) ;;
  esac
  # A backtrace or a sanitizer's report needs files and lines, not variables:
  # line tables only, about an eighth less compiling. For a debugger, build
  # a folder of your own.
  opts+=(-DCMAKE_C_FLAGS_DEBUG=-g1 -DCMAKE_CXX_FLAGS_DEBUG=-g1)
  cmake -S . -B "$dir" "${gen[@]}" -DCMAKE_BUILD_TYPE=Debug "${opts[@]}" "${test_build_opts[@]}" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}

# ctest of one built flavour. The tests mostly wait (on serial traffic,
# timers and child processes), so they run side by side, more of them than
# there are cores; what must not be shared is named in their registration
# (RESOURCE_LOCK), and the tests that pace real serial traffic against the
# device's answer windows share a few slots (test-resources.json, PACED in
# cmake/AisTesting.cmake). Instrumented builds run several times slower: a timing
# miss there gets one more run (ctest prints both).
test_flavour() {
  local flavour="$1" dir
  shift
  dir="$(build_dir "$flavour")"
  local retry=()
  if [ "$flavour" != plain ]; then retry=(--repeat until-pass:2); fi
  ctest --test-dir "$dir" --output-on-failure -j"$TEST_JOBS" --resource-spec-file "$PWD/$dir/test-resources.json" \
    "${retry[@]}" "$@"
}

run_build() {
  local flavour="$1"
  shift
  build_flavour "$flavour" && test_flavour "$flavour" "$@"
}

# The check scripts end with 0 (passed), 77 (something skipped, nothing
# failed) or another status (failed). worst A B: the one of two statuses that
# says least in favour: a failure before a skip before a pass.
SKIPPED=77
worst() {
  if [ "$1" -ne 0 ] && [ "$1" -ne $SKIPPED ]; then echo "$1"
  elif [ "$2" -ne 0 ] && [ "$2" -ne $SKIPPED ]; then echo "$2"
  elif [ "$1" -eq $SKIPPED ] || [ "$2" -eq $SKIPPED ]; then echo $SKIPPED
  else echo 0; fi
}

# Windows steps: the whole program cross built with mingw-w64 into its
# installer and zip. Then three lanes side by side (each check has its own
# Wine prefix, X display and folders): the Windows-only sources and Win32
# drivers built on their own and run under Wine, then the installer installed
# and the installed program started and closed under Wine; the packages'
# sums, build paths, a second build compared byte for byte and a signed build
# (scripts/release-check.sh); the program's services, bootloader-mode upgrade
# and serial path under Wine. Each check ends with its own "N passed, N
# failed, N skipped, N known limits" line.
# The Windows-only sources and drivers: they need no packages.
windows_driver_checks() {
  local rc=0 one=0
  bash scripts/check-windows-build.sh || rc=$?
  if [ $rc -eq 0 ]; then
    AIS_WIN_NO_REBUILD=1 bash scripts/wine-fat16-check.sh || one=$?
    rc=$(worst $rc $one)
  else
    echo "wine-fat16-check: not run: the Windows build check did not pass"
  fi
  return "$rc"
}
windows_build_checks() {
  local rc=0 one=0
  windows_driver_checks || rc=$?
  bash scripts/wine-install-check.sh || one=$?
  return "$(worst $rc $one)"
}
run_windows() {
  export AIS_WIN_BUILD_DIR="$PWD/build/windows"
  local start=$SECONDS rc=0 one lane pids=() lane_logs=()
  if ! bash scripts/build-windows.sh; then
    windows_driver_checks || true
    echo "wine-install-check, wine-program-check, release-check: not run: the Windows release build failed"
    echo "windows steps: $((SECONDS - start)) s"
    return 1
  fi
  mkdir -p "$AIS_WIN_BUILD_DIR"
  for lane in windows_build_checks "bash scripts/release-check.sh windows" "bash scripts/wine-program-check.sh"; do
    lane_logs+=("$AIS_WIN_BUILD_DIR/lane-${#lane_logs[@]}.log")
    $lane >"${lane_logs[-1]}" 2>&1 </dev/null &
    pids+=($!)
  done
  for lane in "${!pids[@]}"; do
    one=0; wait "${pids[$lane]}" || one=$?
    rc=$(worst $rc $one)
    cat "${lane_logs[$lane]}"
  done
  echo "windows steps: $((SECONDS - start)) s"
  return $rc
}

# The Debian package: built, installed with apt-get, the installed program run
# through a whole upgrade as an ordinary user, removed. Uses the plain build's
# simulator. Then its sums, build paths and a second build compared
# (scripts/release-check.sh). Each prints its own "N passed, N failed" line.
# Meanwhile the Wine checks' Debian 13 tree is made, once (mostly downloads;
# the Windows steps would otherwise wait for it).
run_deb() {
  local rc=0 one=0 tree=""
  if [ "$(id -u)" -eq 0 ]; then
    (. scripts/trixie-tree.sh && wine_tree_make "${TMPDIR:-/tmp}/ais-wine-tree.log") &
    tree=$!
  fi
  bash scripts/deb-install-check.sh || rc=$?
  bash scripts/release-check.sh deb || one=$?
  [ -z "$tree" ] || wait "$tree" || echo "the Wine checks' Debian 13 tree: see ${TMPDIR:-/tmp}/ais-wine-tree.log"
  return "$(worst $rc $one)"
}

run_fuzz() {
  if [ -f scripts/run-fuzzers.sh ]; then
    bash scripts/run-fuzzers.sh "${AIS_FUZZ_SECONDS:-30}"
  else
    echo "fuzzers: none in this tree"
  fi
}

flavour="${1:-all}"
shift || true
case "$flavour" in
  plain)
    rc=0
    run_build plain "$@" || rc=$?
    if [ $# -eq 0 ]; then one=0; run_windows || one=$?; rc=$(worst $rc $one); else echo "windows steps: not run, ctest arguments given ($*)"; fi
    exit $rc ;;
  asan|tsan) run_build "$flavour" "$@"; exit $? ;;
  deb) run_deb; exit $? ;;
  fuzz) run_fuzz; exit $? ;;
  all) ;;
  *) echo "unknown step: $flavour (all, plain, asan, tsan, deb or fuzz)" >&2; exit 2 ;;
esac

# Everything, each step timed; a failed step does not stop the later ones.
# The tests mostly wait, so the builds and the CPU-bound steps run beside
# them in the background, niced so that the tests keep the cores when they
# need them. Once the plain build is done: the ASan build (nice 5: the next
# tests wait for it, then the TSan build likewise), and the Windows steps and
# the fuzzers (nice 10), which need nothing else and take the cores whenever
# the rest waits; the Debian package (nice 10) once the plain tests are done,
# since it installs into the host. A step in the background writes to a log
# in build-logs/, shown whole when the step is collected.
declare -a summary=() not_passed=()
failed=0
record() {
  local name="$1" rc="$2" took="$3"
  if [ "$rc" -eq 0 ]; then
    summary+=("$name: passed in ${took} s")
    return
  elif [ "$rc" -eq $SKIPPED ]; then
    # Something was not checked: not a pass, whatever else held.
    summary+=("$name: NOT PASSED, something was skipped (see its lines), after ${took} s")
  else
    summary+=("$name: FAILED (rc $rc) after ${took} s")
  fi
  failed=1
  not_passed+=("$name")
}
logs="$PWD/build-logs"
rm -rf "$logs"; mkdir -p "$logs"
declare -A bg_pid=() step_log=()
# step_log_for NAME: the file a step's output goes to.
step_log_for() {
  step_log[$1]="$logs/$(echo "$1" | tr -c 'a-zA-Z0-9\n' '_').log"
}
step() {
  local name="$1" start=$SECONDS rc=0
  shift
  echo "==== $name ===="
  step_log_for "$name"
  "$@" 2>&1 | tee "${step_log[$name]}" || rc=${PIPESTATUS[0]}
  record "$name" $rc $((SECONDS - start))
  return $rc
}
# background NICE NAME COMMAND...: starts a step at that niceness in the background.
background() {
  local nice="$1" name="$2" log
  shift 2
  step_log_for "$name"
  log="${step_log[$name]}"
  ( renice -n "$nice" -p "$BASHPID" >/dev/null 2>&1 || true
    start=$SECONDS; rc=0; "$@" >"$log" 2>&1 </dev/null || rc=$?
    echo "$rc $((SECONDS - start))" >"$log.rc" ) &
  bg_pid[$name]=$!
}
# collect NAME: waits for a background step, shows its output, records it.
collect() {
  local name="$1" rc took
  wait "${bg_pid[$name]}" || true
  echo "==== $name (ran in the background) ===="
  cat "${step_log[$name]}"
  read -r rc took <"${step_log[$name]}.rc" || { rc=1; took=0; }
  record "$name" "$rc" "$took"
  return "$rc"
}
# step_after BUILT NAME COMMAND...: the step, or a failure when its build failed.
step_after() {
  local built="$1" name="$2"
  shift 2
  if [ "$built" -eq 1 ]; then
    step "$name" "$@" || true
  else
    echo "==== $name: not run, its build failed ===="
    record "$name" 1 0
  fi
}
start_all=$SECONDS

plain_built=0; asan_built=0; tsan_built=0
step "plain build" build_flavour plain && plain_built=1
background 5 "asan+ubsan build" build_flavour asan
background 10 "windows steps" run_windows
background 10 "fuzzers" run_fuzz
step_after $plain_built "plain tests (all)" test_flavour plain
# The package check installs into the host and uses the plain build's simulator.
deb="debian package: build, install, run, remove"
if [ $plain_built -eq 1 ]; then background 10 "$deb" run_deb; fi
collect "asan+ubsan build" && asan_built=1
background 5 "tsan build" build_flavour tsan
step_after $asan_built "asan+ubsan tests (label asan)" test_flavour asan
collect "tsan build" && tsan_built=1
step_after $tsan_built "tsan tests (label tsan)" test_flavour tsan
if [ $plain_built -eq 1 ]; then collect "$deb" || true; else record "$deb" 1 0; fi
collect "fuzzers" || true
collect "windows steps" || true

# What went wrong, again at the end, where a reader of the last lines sees
# it: the failed checks, tests and compiler errors of each step that did not
# pass (its whole output is further up and in build-logs/).
for name in "${not_passed[@]}"; do
  echo "==== $name: what did not pass ===="
  grep -a -E 'FAILED|SKIPPED|FAIL!|Loc: \[|\((Failed|Timeout|SEGFAULT|Subprocess aborted)\)|error:|not run' \
    "${step_log[$name]:-/dev/null}" 2>/dev/null | tail -25 || echo "(no output of its own: see above)"
done
echo "==== summary ===="
printf '%s\n' "${summary[@]}"
echo "whole test command: $((SECONDS - start_all)) s"
exit $failed
