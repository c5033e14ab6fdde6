#!/usr/bin/env bash
# Runs both fuzz targets side by side on their seed corpora.
# usage: fuzz/run.sh BUILD_DIR SECONDS [extra libFuzzer options...]
# The corpora grow in BUILD_DIR/corpus; a crash leaves its input in BUILD_DIR/findings
# and makes this script fail.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$1" && pwd)"
seconds="$2"
shift 2
python3 "$here/seeds.py" "$here/../tests/data" "$build/seeds"
mkdir -p "$build/findings"
pids=()
for target in dump table; do
  mkdir -p "$build/corpus/$target"
  "$build/fuzz_$target" "$build/corpus/$target" "$build/seeds/$target" \
    -dict="$here/smbios.dict" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/findings/${target}-" "$@" \
    >"$build/fuzz_$target.log" 2>&1 &
  pids+=($!)
done
status=0
for i in 0 1; do
  wait "${pids[$i]}" || status=1
done
for target in dump table; do
  echo "fuzz_$target: $(grep -E '^#[0-9]+.*DONE|stat::number_of_executed_units|cov:' "$build/fuzz_$target.log" | tail -n 3 | tr '\n' ' ')"
  [ $status -eq 0 ] || tail -n 40 "$build/fuzz_$target.log"
done
exit $status
