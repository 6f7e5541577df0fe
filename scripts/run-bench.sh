#!/usr/bin/env bash
# Builds the benchmarks (Release, -O2, in build-bench/) and runs each of them;
# prints every figure with its baseline, the ratio and whether the target is
# met. Benchmarks are run on demand; they are not part of the test command.
#   scripts/run-bench.sh            everything
#   scripts/run-bench.sh receive    only some: receive sentence logger copy startup upgrade wine
# "wine" builds the Windows program (scripts/build-windows.sh, in
# $AIS_WIN_BUILD_DIR or build-windows/) and the bare window with the same Qt
# SDK (bench/win/), and starts both on Xvfb under this machine's Wine 8
# (wine8) and under Wine 10 in the Debian 13 tree of the Wine checks
# (wine10, scripts/trixie-tree.sh; needs root).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

dir=build-bench
# --measure-wine KEY: only the Wine figure, inside the Debian 13 tree (run
# by run_wine below); nothing is built there.
inside=""
if [ "${1:-}" = --measure-wine ]; then
  inside="$2"
  set --
else
  bash scripts/setup.sh

  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null
  cmake --build "$dir" -j"$(nproc)" --target bench
fi

export QT_QPA_PLATFORM=offscreen
bin="$root/$dir/bench"
out="$root/$dir/bench-results"
mkdir -p "$out"

only=("$@")
# Inside the tree only measure_wine runs.
[ -z "$inside" ] || only=(none)
wanted() {
  [ ${#only[@]} -eq 0 ] && return 0
  local w
  for w in "${only[@]}"; do [ "$w" = "$1" ] && return 0; done
  return 1
}

# run <key> <program> [google benchmark options...]: console output to
# <key>.txt, figures to <key>.json.
run() {
  local key=$1 program=$2
  shift 2
  echo "== running $key ($(basename "$program"))"
  rm -f "$out/$key.json"
  (cd "$bin" && sh -c '"$0" "$@"' "$program" --benchmark_out="$out/$key.json" --benchmark_out_format=json "$@") \
    >"$out/$key.txt" 2>&1 || {
    echo "   $key failed; see $out/$key.txt"
    tail -5 "$out/$key.txt"
  }
}

reps=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
wanted receive && run receive "$bin/bench_rawdatahandle" "${reps[@]}"
wanted sentence && run sentence "$bin/bench_commandhandle" "${reps[@]}"
wanted logger && run logger "$bin/bench_sysdebug" "${reps[@]}"
wanted copy && run copy "$bin/bench_firmwarecopy" "${reps[@]}"
wanted startup && run startup "$bin/bench_startup" --benchmark_repetitions=3
# The Windows program under Wine against the bare window cross-built with the
# same SDK, both started from folders holding the same Qt DLLs and plugins, in
# one fresh prefix (Wine's default Windows 7, where the start-up check records
# the services and goes on to the welcome page) with the wizard's font; on
# this machine's Wine 8 and on Wine 10 of the Debian 13 tree of the checks
# (scripts/trixie-tree.sh; needs root, made once).
run_wine() {
  local win_out="${AIS_WIN_BUILD_DIR:-$root/build-windows}" work="$root/$dir/win"
  . "$root/scripts/wine-common.sh"
  if [ -z "$wine" ] || [ -z "$wineserver" ] || ! command -v Xvfb >/dev/null 2>&1; then
    echo "== wine: Wine or Xvfb is not installed (Debian packages wine64, xvfb)"
    return
  fi
  if [ ! -x "$bin/bench_winestartup" ]; then
    echo "== wine: bench_winestartup was not built (libx11-dev missing)"
    return
  fi
  echo "== building the Windows program ($win_out)"
  AIS_WIN_BUILD_DIR="$win_out" bash scripts/build-windows.sh >"$out/wine-build-windows.log" 2>&1 \
    || { echo "   build-windows.sh failed; see $out/wine-build-windows.log"; return; }
  local sdk="$win_out/sdk/qt5.15.8-mingw64" deploy="$win_out/deploy/AisFirmwareUpgrade"
  cmake -S bench/win -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/tools/win/mingw-w64-x86_64-posix.cmake" -DCMAKE_PREFIX_PATH="$sdk" >/dev/null \
    && cmake --build "$work/build" >/dev/null \
    || { echo "   the bare window's cross build failed"; return; }
  rm -rf "$work/program" "$work/bare"
  cp -a "$deploy" "$work/program"
  cp -a "$deploy" "$work/bare"
  rm "$work/bare/AisFirmwareUpgrade.exe"
  cp "$work/build/bench_barewindow.exe" "$work/bare/"

  measure_wine wine8
  . "$root/scripts/trixie-tree.sh"
  if [ "$(id -u)" -ne 0 ] || ! wine_tree_make "$out/wine-tree.log"; then
    echo "== wine10: no Debian 13 tree with Wine 10 (needs root); see $out/wine-tree.log"
    return
  fi
  # Google Benchmark's library there has another soname: the bench takes
  # this machine's.
  mkdir -p "$work/hostlib"
  cp -L "$(ldd "$bin/bench_winestartup" | sed -n 's/^.*libbenchmark\.so[^ ]* => \([^ ]*\).*/\1/p')" "$work/hostlib/"
  LD_LIBRARY_PATH="$work/hostlib" AIS_WIN_BUILD_DIR="$win_out" wine_tree_run bash "$root/scripts/run-bench.sh" --measure-wine wine10
}

# One figure: both programs in a fresh prefix, results under KEY.
measure_wine() { # key
  local work="$root/$dir/win" xvfb_pid=""
  rm -rf "$work/prefix"
  (
    . "$root/scripts/wine-common.sh"
    echo "== $1: $("$wine" --version)" | tee "$out/$1.version"
    export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
    unset WAYLAND_DISPLAY
    trap '"$wineserver" -k >/dev/null 2>&1; [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null' EXIT
    start_xvfb "$work" || { echo "   Xvfb did not start"; exit 0; }
    "$wine" wineboot -i >"$work/wineboot.log" 2>&1
    "$wineserver" -w
    install_tahoma || echo "   no Tahoma (Debian package fonts-wine): the wizard falls back to another font"
    export AIS_BENCH_WINE="$wine" AIS_BENCH_WIN_PROGRAM="$work/program/AisFirmwareUpgrade.exe" \
           AIS_BENCH_WIN_BARE="$work/bare/bench_barewindow.exe"
    run "$1" "$bin/bench_winestartup" --benchmark_repetitions=3
  )
}

if [ -n "$inside" ]; then
  measure_wine "$inside"
  exit 0
fi
wanted wine && run_wine

if wanted upgrade; then
  if [ -f "$bin/run-bench_upgrade.sh" ]; then
    # Generated by CMake (not executable): it sets the fake USB ports' preload list.
    chmod +x "$bin/run-bench_upgrade.sh"
    run upgrade "$bin/run-bench_upgrade.sh"
  else
    echo "== upgrade: bench_upgrade was not built (simulator or fake USB ports missing)"
  fi
fi

# val <key> <benchmark name> <field>: one figure of Google Benchmark's JSON
# output, which writes every field of a run on a line of its own.
val() {
  local file="$out/$1.json"
  [ -f "$file" ] || { echo ""; return; }
  awk -v row="$2" -v field="$3" '
    /^ *"name": / { n = $0; sub(/^ *"name": "/, "", n); sub(/",? *$/, "", n); next }
    n == row && $0 ~ "^ *\"" field "\": " {
      v = $0; sub(/^[^:]*: */, "", v); sub(/,? *$/, "", v); gsub(/"/, "", v); print v; exit }
  ' "$file"
}

ratio() { [ -n "$1" ] && [ -n "$2" ] && awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }' || echo "-"; }
verdict() {  # verdict <value> <op> <limit>
  [ -n "$1" ] && [ "$1" != "-" ] || { echo "NO FIGURE"; return; }
  awk -v v="$1" -v l="$3" -v op="$2" 'BEGIN { ok = (op == "<=") ? v <= l : v < l; print ok ? "met" : "MISSED" }'
}
fmt() { awk -v v="$1" -v d="${2:-1}" 'BEGIN { if (v != "") printf "%.*f", d, v }'; }
line() { printf "  %-44s %12s %12s %8s   %s\n" "$@"; }

echo
echo "Benchmark figures (least of the repetitions unless said; ratio = figure / baseline)"

if wanted receive; then
  echo
  echo "Receive path, ns per byte (dataReceived -> lines -> sentence queue -> getSentence), CPU time"
  line "chunk size" "program" "baseline" "ratio" "target <= 3x"
  for c in 64 4096 1048576; do
    p=$(val receive "BM_Receive_Product/${c}_min" cpu_time)
    b=$(val receive "BM_Receive_Baseline/${c}_min" cpu_time)
    bytes=$(val receive "BM_Receive_Product/${c}_min" bytes)
    pn=$(awk -v t="$p" -v n="$bytes" 'BEGIN { if (t != "" && n != "") printf "%.3f", t * 1e6 / n }')
    bn=$(awk -v t="$b" -v n="$bytes" 'BEGIN { if (t != "" && n != "") printf "%.3f", t * 1e6 / n }')
    r=$(ratio "$pn" "$bn")
    line "$c B chunks (memchr splitter baseline)" "$pn" "$bn" "$r" "$(verdict "$r" "<=" 3)"
  done
  echo "Receive path, ns per line in one chunk (linearity: 100 000 lines vs 1 000 lines)"
  line "" "1 000 lines" "100 000 lines" "ratio" "target <= 1.5x"
  for k in Product Baseline; do
    s=$(val receive "BM_ReceiveLines_${k}/1000_min" cpu_time)
    l=$(val receive "BM_ReceiveLines_${k}/100000_min" cpu_time)
    sn=$(awk -v t="$s" 'BEGIN { if (t != "") printf "%.1f", t * 1000 / 1000 }')
    ln=$(awk -v t="$l" 'BEGIN { if (t != "") printf "%.1f", t * 1000 / 100000 }')
    r=$(ratio "$ln" "$sn")
    if [ "$k" = Product ]; then line "program" "$sn" "$ln" "$r" "$(verdict "$r" "<=" 1.5)"; else line "baseline (memchr splitter, for reference)" "$sn" "$ln" "$r" ""; fi
  done
fi

if wanted sentence; then
  echo
  echo "Sentence parsing, sentenceProcess, sentences per second (median of repetitions)"
  for k in ValidAnswer OtherModel BadChecksum LowerCaseChecksum ForeignSentence OverLong; do
    printf '  %-44s %14.0f\n' "$k" "$(val sentence "BM_Sentence_${k}_median" items_per_second)"
  done
fi

if wanted logger; then
  echo
  echo "Logger, sysLog calls per second (median of repetitions; echo to the Qt debug output dropped)"
  line "configuration" "1 thread" "2 threads" "" ""
  for k in FileOff_EncOn FileOff_EncOff FileOn_EncOn FileOn_EncOff; do
    one=$(val logger "BM_SysLog/${k}/real_time/threads:1_median" items_per_second)
    two=$(val logger "BM_SysLog/${k}/real_time/threads:2_median" items_per_second)
    line "$k" "$(awk -v v="$one" 'BEGIN { printf "%.0f", v }')" "$(awk -v v="$two" 'BEGIN { printf "%.0f", v }')" "" ""
  done
  echo "Logger, one call on the GUI thread, microseconds (median of repetitions)"
  line "" "median" "99th pct" "" "target median <= 20 us (file on)"
  for k in FileOff FileOn FileOn_CommThreadLogging; do
    m=$(val logger "BM_SysLogGuiCall/${k}/iterations:20000/real_time_median" median_us)
    p=$(val logger "BM_SysLogGuiCall/${k}/iterations:20000/real_time_median" p99_us)
    v=""
    [ "$k" != FileOff ] && v=$(verdict "$m" "<=" 20)
    line "$k" "$(awk -v v="$m" 'BEGIN { printf "%.2f", v }')" "$(awk -v v="$p" 'BEGIN { printf "%.2f", v }')" "" "$v"
  done
fi

if wanted copy; then
  echo
  echo "Firmware copy onto the simulated volume, ms (product path vs cp; cp+flush = cp, then fsync of file and folder)"
  line "image size" "program" "cp" "ratio" "target <= 1.2x"
  for s in 524288 4194304; do
    p=$(val copy "BM_Copy_Product/${s}/min_time:1.000/real_time_min" real_time)
    c=$(val copy "BM_Copy_CpOnly/${s}/min_time:1.000/real_time_min" real_time)
    f=$(val copy "BM_Copy_CpFlushed/${s}/min_time:1.000/real_time_min" real_time)
    r=$(ratio "$p" "$c")
    line "$((s / 1024)) KiB vs cp" "$(fmt "$p" 2)" "$(fmt "$c" 2)" "$r" "$(verdict "$r" "<=" 1.2)"
    r=$(ratio "$p" "$f")
    line "$((s / 1024)) KiB vs cp + flush" "$(fmt "$p" 2)" "$(fmt "$f" 2)" "$r" "$(verdict "$r" "<=" 1.2)"
  done
fi

if wanted startup; then
  echo
  echo "Start-up to the main window shown, ms (mean of 10 starts, least of 3 runs), and the waiting wizard over 10 s"
  line "" "program" "bare window" "ratio" "target"
  p=$(val startup "BM_Startup/Program/iterations:10/manual_time_min" real_time)
  b=$(val startup "BM_Startup/BareWindow/iterations:10/manual_time_min" real_time)
  r=$(ratio "$p" "$b")
  line "start-up" "$(fmt "$p")" "$(fmt "$b")" "$r" "<= 1.5x: $(verdict "$r" "<=" 1.5)"
  pc=$(val startup "BM_Idle/Program/iterations:1/manual_time" cpu_percent)
  bc=$(val startup "BM_Idle/BareWindow/iterations:1/manual_time" cpu_percent)
  line "idle CPU, percent" "$(fmt "$pc" 2)" "$(fmt "$bc" 2)" "" "< 1 %: $(verdict "$pc" "<" 1)"
  pr=$(val startup "BM_Idle/Program/iterations:1/manual_time" rss_kib)
  br=$(val startup "BM_Idle/BareWindow/iterations:1/manual_time" rss_kib)
  line "resident memory, KiB" "$(fmt "$pr" 0)" "$(fmt "$br" 0)" "$(ratio "$pr" "$br")" ""
fi

if wanted wine; then
  echo
  echo "Windows program under Wine (Xvfb): start to the window painted (the welcome page), ms (mean of 5 starts, least of 3 runs)"
  line "" "program" "bare window" "ratio" "target"
  for key in wine8 wine10; do
    p=$(val "$key" "BM_WineStartup/Program/iterations:5/manual_time_min" real_time)
    b=$(val "$key" "BM_WineStartup/BareWindow/iterations:5/manual_time_min" real_time)
    r=$(ratio "$p" "$b")
    line "start-up under $(sed -n 's/^== [a-z0-9]*: \(wine-[0-9.]*\).*/\1/p' "$out/$key.version" 2>/dev/null)" \
      "$(fmt "$p")" "$(fmt "$b")" "$r" "<= 1.5x: $(verdict "$r" "<=" 1.5)"
  done
fi

if wanted upgrade; then
  echo
  echo "Whole upgrade against the simulator, ms (mean of 5 upgrades) vs the least time the contract and design allow"
  line "" "program" "floor" "overhead" "target < 10 %"
  row="BM_Upgrade/iterations:5/manual_time"
  line "Start -> information page" "$(fmt "$(val upgrade "$row" info_ms)")" "$(fmt "$(val upgrade "$row" info_floor_ms)")" \
    "$(awk -v v="$(val upgrade "$row" info_overhead_pct)" 'BEGIN { if (v != "") printf "%.1f%%", v }')" ""
  line "Next -> success page" "$(fmt "$(val upgrade "$row" success_ms)")" "$(fmt "$(val upgrade "$row" success_floor_ms)")" \
    "$(awk -v v="$(val upgrade "$row" success_overhead_pct)" 'BEGIN { if (v != "") printf "%.1f%%", v }')" ""
  o=$(val upgrade "$row" overhead_pct)
  line "both" "" "" "$(awk -v v="$o" 'BEGIN { if (v != "") printf "%.1f%%", v }')" "$(verdict "$o" "<" 10)"
  line "  of which the copy (thread to result)" "$(fmt "$(val upgrade "$row" copy_ms)")" "$(fmt "$(val upgrade "$row" copy_floor_ms)")" "" ""
fi

echo
echo "Raw output: $out/*.txt and *.json"
