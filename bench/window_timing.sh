#!/usr/bin/env bash
# Runs the windows offscreen with LUMETRA_TIMING=1 on generated tables, several times
# each, and prints the median of both figures: process start to the tree shown, and
# double-click to the detail window shown; then the medians of the first one's split:
# to main() (loading Qt and its libraries), to QApplication (Qt's start), to the tree
# shown (the table, the tree and its first paint).
#   bench/window_timing.sh [BUILD_DIR]   (default build-bench; RUNS, default 10)
# BEFORE=PATH names another lumetra to time in turn with it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
runs=${RUNS:-10}
work=$build/compare
mkdir -p "$work"
"$build/make_table" real 4096 "$work/real-4096.bin" >/dev/null
"$build/make_table" small 65535 61440 "$work/small-window.bin" >/dev/null
programs=("$build/lumetra")
[ -n "${BEFORE:-}" ] && programs+=("$BEFORE")

for t in real-4096 small-window; do
  for p in "${programs[@]}"; do : >"$work/timing-$t-$(echo "$p" | md5sum | cut -c1-8)"; done
  # Alternate the programs, so that both see the same load.
  for ((i = 0; i < runs; i++)); do
    for p in "${programs[@]}"; do
      LUMETRA_TIMING=1 QT_QPA_PLATFORM=offscreen timeout 120 "$p" --from-dump "$work/$t.bin" 2>&1 |
        grep '^lumetra timing' >>"$work/timing-$t-$(echo "$p" | md5sum | cut -c1-8)" || true
    done
  done
  for p in "${programs[@]}"; do
    python3 - "$work/timing-$t-$(echo "$p" | md5sum | cut -c1-8)" "$t" "$p" <<'PY'
import re, statistics, sys
shown, detail, split = [], [], []
for line in open(sys.argv[1]):
    figures = [float(f) for f in re.findall(r"([\d.]+) ms", line)]
    if "main() to QApplication" in line:
        split.append(figures)
    elif "tree filled" in line:
        shown.append(figures[0])
    else:
        detail.append(figures[0])
if not shown:
    print(f"{sys.argv[2]:<14} {sys.argv[3]}: no figures (is lumetra-gui built?)")
else:
    start = statistics.median(shown)
    print(f"{sys.argv[2]:<14} {sys.argv[3]}: start to tree shown {start:.0f} ms "
          f"(target < 120 ms: {'met' if start < 120 else 'missed'}), "
          f"double-click to detail shown {statistics.median(detail):.1f} ms (median of {len(shown)})")
if split:
    main, qt, ours = (statistics.median(f[i] for f in split) for i in range(3))
    print(f"{'':<14} split: start to main() {main:.0f} ms (lumetra's exec of lumetra-gui, loading Qt), "
          f"main() to QApplication {qt:.1f} ms (Qt's start), to the tree shown {ours:.1f} ms "
          f"(the windows built, Qt's fonts, the table read, the tree filled and painted)")
PY
  done
done
