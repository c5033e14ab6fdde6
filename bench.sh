#!/usr/bin/env bash
# Sets up what the benchmarks need, builds them with the program, and runs them:
# the in-process timings (Google Benchmark), whole processes against dmidecode
# (hyperfine), and the windows' start-up offscreen. Timings on a shared machine are
# noisy: compare ratios from one run. Arguments go to lumetra_bench (for example
# --benchmark_filter=RenderJson).
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
lumetra_setup
lumetra_install libbenchmark-dev hyperfine dmidecode time

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMETRA_BENCH=ON -DLUMETRA_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc 2>/dev/null || echo 2)"

echo "== In-process ($(uptime | sed 's/.*load average/load average/'))"
./build-bench/lumetra_bench "$@"
echo
echo "== Whole processes against dmidecode"
bench/compare.sh build-bench
echo
echo "== Windows, offscreen"
bench/window_timing.sh build-bench
echo
echo "== In-process targets: the JSON and text of the 5,120-structure window, ten runs"
./build-bench/lumetra_bench --benchmark_filter='Render(Json|Text)/small-window$' --benchmark_repetitions=10 \
  --benchmark_report_aggregates_only=true --benchmark_format=json >build-bench/targets.json 2>/dev/null
python3 - build-bench/targets.json <<'PY'
import json, sys
figures = {}
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("run_type") == "aggregate":
        figures.setdefault(b["run_name"], {})[b["aggregate_name"]] = b["real_time"] / 1e6
for name, f in sorted(figures.items()):
    median, best = f["median"], f["min"]
    print(f"{name}: median {median:.2f} ms, best {best:.2f} ms (target < 2 ms: {'met' if median < 2 else 'missed'})")
PY
