#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60),
# then prints the executions and findings per target. New crashing inputs
# are written to fuzz/regressions/<target>/, where the replay tests pick them up.
# TLQ_FUZZ_BUILD_DIR chooses the build folder (default build/fuzz).
set -eu
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TLQ_FUZZ_BUILD_DIR:-$root/build/fuzz}
targets="unseal ini_reader command_line parse_int replace_all"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTLQ_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --target fuzzers -j 2

summary=""
status=0
for t in $targets; do
  work="$root/fuzz/corpus-work/$t"
  regressions="$root/fuzz/regressions/$t"
  mkdir -p "$work" "$regressions"
  before=$(find "$regressions" -type f ! -name .keep | wc -l)
  log="$build/fuzz_$t.log"
  # New corpus entries go to the ignored work folder; the seeds stay as committed.
  nice -n 19 "$build/fuzz/fuzz_$t" "$work" "$root/fuzz/corpus/$t" \
    -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$regressions/" \
    >"$log" 2>&1 || true
  after=$(find "$regressions" -type f ! -name .keep | wc -l)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  findings=$((after - before))
  [ "$findings" -eq 0 ] || status=1
  summary+=$(printf '%-14s executions %-12s findings %s' "$t" "${runs:-?}" "$findings")$'\n'
done
printf '%s' "$summary"
exit $status
