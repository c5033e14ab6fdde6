#!/usr/bin/env bash
# Times whole lumetra processes against dmidecode on the same files, with hyperfine:
# the fixtures and generated tables, each view with --from-dump, and start-up alone.
# Prints medians and each lumetra median as a ratio of dmidecode's in the same run.
#   bench/compare.sh [BUILD_DIR]      (BUILD_DIR holds lumetra and make_table; default build-bench)
# RUNS (default 20, at least) and WARMUP (default 2) set hyperfine's counts; the runs
# are split into ROUNDS (default 4) that take turns between the commands, so that a
# change of the machine's load falls on all of them alike. BEFORE=PATH names
# another lumetra (an older build) to time in the same runs, as a second line per table.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
lumetra=$build/lumetra
make_table=$build/make_table
rounds=${ROUNDS:-4}
runs=$(( (${RUNS:-20} + rounds - 1) / rounds ))
warmup=${WARMUP:-2}
work=$build/compare
mkdir -p "$work"

for tool in hyperfine dmidecode python3; do
  command -v "$tool" >/dev/null || { echo "compare.sh: $tool is missing (./bench.sh installs it)" >&2; exit 1; }
done
dmidecode=$(command -v dmidecode)

# The tables: the fixtures, then generated ones (see bench/table_gen.h).
tables=()
for f in "$root"/tests/data/*/dump.bin; do
  name=$(basename "$(dirname "$f")")
  cp "$f" "$work/$name.bin"
  tables+=("$name")
done
"$make_table" real 16 "$work/real-16.bin" >/dev/null
"$make_table" real 256 "$work/real-256.bin" >/dev/null
"$make_table" real 4096 "$work/real-4096.bin" >/dev/null
"$make_table" real 65535 61440 "$work/real-window.bin" >/dev/null
"$make_table" small 65535 61440 "$work/small-window.bin" >/dev/null
tables+=(real-16 real-256 real-4096 real-window small-window)

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "load before: $(uptime | sed 's/.*load average/load average/')"
echo "hyperfine: $rounds rounds of $runs runs, each after $warmup warm-up runs; medians in ms"
echo

programs=("$lumetra")
[ -n "${BEFORE:-}" ] && programs+=("$(cd "$(dirname "$BEFORE")" && pwd)/$(basename "$BEFORE")")

# hyperfine's warnings about outliers go to a log: on a shared machine there are many.
log=$work/hyperfine.log
: >"$log"
# Start-up alone: --help prints the usage and ends with status 2.
for ((round = 0; round < rounds; round++)); do
  commands=("$dmidecode --version")
  for p in "${programs[@]}"; do commands+=("$p --help"); done
  hyperfine -N -i -w "$warmup" -r "$runs" --export-json "$work/startup.$round.json" "${commands[@]}" >/dev/null 2>>"$log"
  for t in "${tables[@]}"; do
    f=$work/$t.bin
    commands=("$dmidecode --from-dump $f")
    for p in "${programs[@]}"; do
      commands+=("$p --text --from-dump $f" "$p --json --from-dump $f" "$p --list --from-dump $f")
    done
    hyperfine -N -w "$warmup" -r "$runs" --export-json "$work/$t.$round.json" "${commands[@]}" >/dev/null 2>>"$log"
  done
done

python3 - "$work" "$rounds" "${tables[@]}" <<'PY'
import json, statistics, sys
work, rounds, tables = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
def medians(name):
    times = []
    for r in range(rounds):
        with open(f"{work}/{name}.{r}.json") as f:
            for i, result in enumerate(json.load(f)["results"]):
                times += [[]] * (i + 1 - len(times))
                times[i] = times[i] + result["times"]
    return [statistics.median(t) * 1000 for t in times]
def count(name):
    data = open(f"{work}/{name}.bin", "rb").read()
    at, n = 0x20, 0
    while at + 4 <= len(data):
        at += data[at + 1]
        while at + 1 < len(data) and (data[at] or data[at + 1]):
            at += 1
        at += 2
        n += 1
    return n
m = medians("startup")
print(f"start-up: dmidecode --version {m[0]:.2f}, lumetra --help {m[1]:.2f} ({m[1] / m[0]:.2f}x)"
      + (f"; before {m[2]:.2f} ({m[2] / m[0]:.2f}x)" if len(m) > 2 else "") + "\n")
print(f"{'table':<16}{'structs':>8}{'dmidecode':>11}{'--text':>16}{'--json':>16}{'--list':>16}")
for t in tables:
    m = medians(t)
    for k, label in ((1, t), (4, "  before")):
        if k + 3 <= len(m):
            cells = "".join(f"{x:>8.2f} {x / m[0]:>5.2f}x " for x in m[k:k + 3])
            n, d = (str(count(t)), f"{m[0]:.2f}") if k == 1 else ("", "")
            print(f"{label:<16}{n:>8}{d:>11}  {cells}")
PY

# Peak memory of --json on the largest table, against the process's own baseline.
if command -v /usr/bin/time >/dev/null 2>&1 || [ -x /usr/bin/time ]; then
  peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
  echo
  for p in "${programs[@]}"; do
    base=$(peak "$p" --list --from-dump "$work/pc-default.bin")
    json=$(peak "$p" --json --from-dump "$work/small-window.bin")
    echo "peak RSS of $p: --list on pc-default $base KiB, --json on small-window $json KiB (+$(( (json - base) / 1024 )) MiB)"
  done
fi
echo "load after: $(uptime | sed 's/.*load average/load average/')"
