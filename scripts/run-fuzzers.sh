#!/usr/bin/env bash
# Builds the libFuzzer targets (clang-14, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each for a bounded
# time: that many seconds of its own CPU time, so that a target still gets
# its share of fuzzing beside other work (the test command runs it beside the
# builds, at a low priority).
#
#   bash scripts/run-fuzzers.sh [cpu-seconds-per-target]     (default 30)
#
# Prints per target the executions, executions per CPU second and the CPU
# and wall seconds it ran. Exits non-zero
# when a target crashed, leaked, timed out or ran out of memory; the
# reproducer is kept under build-fuzz/fuzz-work/<target>/artifacts/ and can be
# replayed with: build-fuzz/fuzz/<target> <reproducer>
set -uo pipefail

seconds=${1:-30}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "usage: $0 [seconds-per-target]" >&2
    exit 2
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

bash "$root/scripts/setup.sh" || exit 1
mkdir -p "$build"
if ! CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DAIS_BUILD_FUZZERS=ON -DCMAKE_UNITY_BUILD=ON >"$build/fuzz-configure.log" 2>&1; then
    cat "$build/fuzz-configure.log" >&2
    exit 1
fi
list="$build/fuzz/fuzz-targets.txt"
mapfile -t targets < <(awk '{print $1}' "$list")
if ! cmake --build "$build" -j2 --target "${targets[@]}" >"$build/fuzz-build.log" 2>&1; then
    tail -50 "$build/fuzz-build.log" >&2
    echo "fuzz targets failed to build (log: $build/fuzz-build.log)" >&2
    exit 1
fi

work="$build/fuzz-work"
mkdir -p "$work"
# Larger FAT16 seed volumes are made fresh rather than committed.
generated="$work/seeds/fuzz_fat16_root_dir"
rm -rf "$generated"
bash "$root/fuzz/make-fat16-seeds.sh" "$generated" || exit 1

export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=1:abort_on_error=0:symbolize=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-}:print_stacktrace=1:halt_on_error=1"

# The CPU time (user and system, all threads) process $1 has used, in clock
# ticks, in $used; read without starting a process, as it is read often.
cpu_ticks() {
    local stat fields
    read -r stat 2>/dev/null <"/proc/$1/stat" || return 1
    read -r -a fields <<<"${stat##*) }"
    used=$((fields[11] + fields[12]))
}
hz=$(getconf CLK_TCK)
budget=$((seconds * hz))
# A bound on the wall time too, for a machine too busy to give the CPU time.
wall=$((seconds * 40))

# fuzz_one NAME SEEDS DICT MAXLEN: one target for its CPU time; its line of
# the table (and a failure's details) in fuzz-work/NAME/report, and the file
# "failed" beside it when it did not pass.
fuzz_one() {
    local name="$1" seeds="$2" dict="$3" maxlen="$4"
    local dir="$work/$name" start=$SECONDS pid rc execs result used=0 spent=0
    rm -f "$dir/report" "$dir/failed"
    mkdir -p "$dir/corpus" "$dir/artifacts"
    local args=(-max_total_time="$wall" -rss_limit_mb=2048 -timeout=10 -max_len="$maxlen"
                -print_final_stats=1 -close_fd_mask=1 -artifact_prefix="$dir/artifacts/")
    [ "$dict" != "-" ] && args+=(-dict="$dict")
    local corpora=("$dir/corpus" "$seeds")
    [ -d "$work/seeds/$name" ] && corpora+=("$work/seeds/$name")

    "$build/fuzz/$name" "${args[@]}" "${corpora[@]}" >"$dir/fuzz.log" 2>&1 &
    pid=$!
    # Ended with an interrupt once its CPU time is spent: libFuzzer then
    # prints its final stats and ends with its interrupt code, 72.
    while kill -0 "$pid" 2>/dev/null; do
        cpu_ticks "$pid" || break
        if [ "$used" -ge "$budget" ]; then
            spent=1
            kill -INT "$pid"
            break
        fi
        sleep 0.5
    done
    wait "$pid"
    rc=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/fuzz.log" | tail -1)
    if [ "$rc" -eq 72 ] && [ "$spent" -eq 1 ] && [ -n "$execs" ]; then
        result=ok
    elif [ "$rc" -eq 0 ]; then
        result="FAILED (its $wall s of wall time ended after $((used / hz)) s of CPU time)"
    else
        result="FAILED (exit $rc)"
    fi
    {
        printf '%-22s %12s %10s %6s %6s  %s\n' "$name" "${execs:--}" "$(( ${execs:-0} * hz / (used > 0 ? used : 1) ))" \
            "$((used / hz))" "$((SECONDS - start))" "$result"
        if [ "$result" != ok ]; then
            grep -E 'ERROR:|SUMMARY:|property failed|runtime error|Test unit written' "$dir/fuzz.log" | head -20 | sed 's/^/    /'
            echo "    log: $dir/fuzz.log"
        fi
    } >"$dir/report"
    [ "$result" = ok ] || touch "$dir/failed"
}

# As many targets at once as there are cores: each is one process on one
# core, and one alone would leave the others idle at the end of a run.
running=0
while read -r name seeds dict maxlen; do
    if [ "$running" -ge "$(nproc)" ]; then
        wait -n
        running=$((running - 1))
    fi
    fuzz_one "$name" "$seeds" "$dict" "$maxlen" &
    running=$((running + 1))
done <"$list"
wait

failed=()
printf '%-22s %12s %10s %6s %6s  %s\n' target executions exec/cpu-s cpu-s wall-s result
for name in "${targets[@]}"; do
    cat "$work/$name/report" 2>/dev/null || echo "$name: no report"
    if [ -f "$work/$name/failed" ] || [ ! -f "$work/$name/report" ]; then failed+=("$name"); fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing did not pass for: ${failed[*]}" >&2
    exit 1
fi
echo "all ${#targets[@]} fuzz targets ran ${seconds} s of CPU time each without a finding"
