#!/usr/bin/env bash
# Runs the fuzz targets that the test command builds in build/fuzz, all at once (one process, one core each).
#   scripts/fuzz.sh [SECONDS] [NAME...]   each target for SECONDS (default 5); every target, or the NAMEs given
#                                         (crop_file, inputs_file, trend_values, numbers)
# Each run starts from the seeds in fuzz/<name>_corpus and from what earlier runs found (kept in
# build/fuzz/corpus/<name>). A failing input is saved in build/fuzz/findings/ and the run exits non-zero.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-5}
shift || true
names=("$@")
[ ${#names[@]} -gt 0 ] || names=(crop_file inputs_file trend_values numbers)
build="$here/build/fuzz"
mkdir -p "$build/findings" "$build/logs"
# The inputs file and trend value targets write their input to a file each time: in memory that is much faster.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

pids=()
for name in "${names[@]}"; do
  target="$build/fuzz/fuzz_$name"
  [ -x "$target" ] || { echo "no $target: run scripts/korvel.sh test first" >&2; exit 2; }
  mkdir -p "$build/corpus/$name"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$name-" "$build/corpus/$name" "$here/fuzz/${name}_corpus" \
    >"$build/logs/$name.log" 2>&1 &
  pids+=($!)
done

passed=0
failed=0
for i in "${!names[@]}"; do
  name=${names[$i]}
  if wait "${pids[$i]}"; then
    stats=$(grep -E '^stat::(number_of_executed_units|new_units_added|peak_rss_mb)' "$build/logs/$name.log" |
            sed 's/^stat:://' | tr -s ' \n' ' ')
    coverage=$(grep -E '^#[0-9]+' "$build/logs/$name.log" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+' || true)
    echo "fuzz_$name: no finding in ${seconds}s; $coverage; $stats"
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "fuzz_$name: FINDING (log: $build/logs/$name.log)"
    tail -40 "$build/logs/$name.log"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
