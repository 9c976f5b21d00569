#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang, ASan + UBSan, standard-library
# assertions) once, writes every seed corpus afresh with the project's own
# writers, and runs every harness, as many at a time as there are cores. One
# summary line per harness; any crash, leak, timeout or out-of-memory fails.
# By default a bounded run: seed 1 and a fixed number of inputs per harness
# (about three minutes in all on 8 cores; the play harness, which plays each
# input for 300 frames, takes about two and a half minutes of one core for its
# 60 and the inputs kept in fuzz/kept/play). QV_FUZZ_TIME=N explores each
# harness for N seconds instead; QV_FUZZ_RUNS=N gives every harness N inputs;
# QV_FUZZ_TIME=0 or QV_FUZZ_RUNS=0 skips the whole step.
# Usage: fuzz.sh [BUILD_DIR] (default build-fuzz beside the sources).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
fuzz_dir="${1:-$root/build-fuzz}"
fuzz_time="${QV_FUZZ_TIME:-}"
fuzz_runs="${QV_FUZZ_RUNS:-}"
if [ "$fuzz_time" = "0" ] || [ "$fuzz_runs" = "0" ]; then
  echo "fuzz: skipped"
  exit 0
fi
jobs="$(nproc)"

# Inputs of each harness in the bounded run, from its speed: the slow readers
# (stages, pictures through the graphics layer, Ogg decoding) get fewer.
declare -A runs=(
  [stage]=80000 [bmp]=30000 [ogg]=80000 [smf]=250000 [wav]=4000000 [keyconfig]=2000000
  [input_script]=1300000 [db_list]=350000 [system_dat]=400000 [world_map]=700000
  [common_palette]=900000 [option]=2000000 [system_ini]=700000 [boot]=2000000 [window]=2000000
  [player]=200000 [expr]=300000 [play]=60
)
# The play harness plays each input for a few hundred frames: it starts first,
# and a frame over a second of the game thread's time (its own watchdog), an
# input over three minutes or memory over 1 GB fails it.
harnesses=(play stage bmp ogg db_list system_dat world_map common_palette smf system_ini input_script wav keyconfig
           option boot window player expr)
declare -A timeout=([play]=180)
declare -A rss=([play]=1024)

if [ ! -f "$fuzz_dir/build.ninja" ]; then
  cmake -S "$root" -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQV_FUZZ=ON -DQV_TESTS=OFF -DQV_BENCH=OFF >/dev/null
fi
cmake --build "$fuzz_dir" --target fuzz_harnesses fuzz_seeds -- -j"$jobs"

corpus="$fuzz_dir/corpus"
logs="$fuzz_dir/logs"
artifacts="$fuzz_dir/artifacts"
rm -rf "$corpus" "$logs"
mkdir -p "$corpus" "$logs" "$artifacts"
"$fuzz_dir/fuzz_seeds" "$corpus"

run_one() {
  local name="$1" limit
  if [ -n "$fuzz_time" ]; then limit=(-max_total_time="$fuzz_time")
  else limit=(-seed=1 -runs="${fuzz_runs:-${runs[$name]}}"); fi
  mkdir -p "$corpus/$name"
  local rc=0
  local extra=() kept=() lsan="" asan="${ASAN_OPTIONS:-}"
  if [ "$name" = play ]; then
    # Each input starts and ends a whole game, freeing some 160 MB; the
    # sanitizer's default quarantine keeps 256 MB of freed memory besides.
    # With 64 MB the harness peaked at 511 MB in ten minutes, not 1,222 MB.
    asan="quarantine_size_mb=64${asan:+:$asan}"
    extra=(-malloc_limit_mb=1024 -max_len=1048576)
    # The play harness starts SDL, whose D-Bus library keeps its last buffers
    # (the system library is not ours; the list says why).
    lsan="suppressions=$root/tests/support/lsan.supp"
  fi
  # Inputs that once failed a harness, played again first on every run.
  if [ -d "$root/fuzz/kept/$name" ]; then kept=("$root/fuzz/kept/$name"); fi
  ASAN_OPTIONS="$asan" LSAN_OPTIONS="$lsan" QV_FUZZ_GAME="$corpus/play_game" "$fuzz_dir/fuzz_$name" "${limit[@]}" -timeout="${timeout[$name]:-10}" \
    -rss_limit_mb="${rss[$name]:-2048}" "${extra[@]}" -print_final_stats=1 \
    -artifact_prefix="$artifacts/$name-" "$corpus/$name" "${kept[@]}" >"$logs/$name.log" 2>&1 || rc=$?
  echo "$rc" >"$logs/$name.rc"
}

# As many harnesses at a time as there are cores.
running=0
for name in "${harnesses[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  run_one "$name" &
  running=$((running + 1))
done
wait || true

failed=0
for name in "${harnesses[@]}"; do
  log="$logs/$name.log"
  rc="$(cat "$logs/$name.rc" 2>/dev/null || echo 1)"
  units="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)"
  cov="$(grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' "$log" | tail -1 || true)"
  if [ "$rc" = "0" ]; then result=ok; else result="FAILED (exit $rc, see $log)"; failed=1; fi
  printf 'fuzz: %-15s runs %-8s %-36s exec/s %-7s %s\n' "$name" "${units:-?}" "${cov:-cov: ?}" "${speed:-?}" "$result"
  if [ "$rc" != "0" ]; then
    grep -E 'ERROR|SUMMARY|==[0-9]+==|runtime error|Test unit written' "$log" | head -20 | sed 's/^/fuzz:   /'
  fi
done
exit "$failed"
