#!/usr/bin/env bash
# Times whole lumetra processes against dmidecode on the same files, with hyperfine:
# the fixtures and generated tables, each view with --from-dump, and start-up alone.
# Prints medians and each lumetra median as a ratio of dmidecode's in the same run, and
# whether each meets its target: at most 0.6 of dmidecode's time for --text and --json on
# tables under 300 structures, at most 0.3 from 1,000 structures on. Then the peak memory
# of --json on the largest table against a process that prints --version.
#   bench/compare.sh [BUILD_DIR]      (BUILD_DIR holds lumetra and make_table; default build-bench)
# The program is timed as it is installed: stripped of its debugging information, which
# the package and `cmake --install --strip` leave out and which costs a short run page faults.
# RUNS (default 20, at least) and WARMUP (default 2) set hyperfine's counts; the runs
# are split into ROUNDS (default 4) that take turns between the commands, so that a
# change of the machine's load falls on all of them alike. BEFORE=PATH names
# another lumetra (an older build) to time in the same runs, as a second line per table.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
make_table=$build/make_table
rounds=${ROUNDS:-4}
runs=$(( (${RUNS:-20} + rounds - 1) / rounds ))
warmup=${WARMUP:-2}
work=$build/compare
mkdir -p "$work"
lumetra=$work/lumetra
strip -o "$lumetra" "$build/lumetra"
# The floor of any program here: a static one that prints a line.
printf '#include <stdio.h>\nint main(void) { puts("floor"); return 0; }\n' >"$work/floor.c"
cc -O2 -static -s -o "$work/floor" "$work/floor.c"

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
if [ -n "${BEFORE:-}" ]; then
  strip -o "$work/lumetra-before" "$BEFORE"
  programs+=("$work/lumetra-before")
fi

# hyperfine's warnings about outliers go to a log: on a shared machine there are many.
log=$work/hyperfine.log
: >"$log"
# Start-up alone: --help prints the usage and ends with status 2.
for ((round = 0; round < rounds; round++)); do
  commands=("$dmidecode --version" "$work/floor")
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
print(f"start-up: dmidecode --version {m[0]:.2f}, a static C program printing a line {m[1]:.2f} "
      f"({m[1] / m[0]:.2f}x), lumetra --help {m[2]:.2f} ({m[2] / m[0]:.2f}x)"
      + (f"; before {m[3]:.2f} ({m[3] / m[0]:.2f}x)" if len(m) > 3 else "") + "\n")
print(f"{'table':<16}{'structs':>8}{'dmidecode':>11}{'--text':>16}{'--json':>16}{'--list':>16}  target")
missed = []
for t in tables:
    m = medians(t)
    n = count(t)
    target = 0.6 if n < 300 else 0.3 if n >= 1000 else None
    for k, label in ((1, t), (4, "  before")):
        if k + 3 <= len(m):
            cells = "".join(f"{x:>8.2f} {x / m[0]:>5.2f}x " for x in m[k:k + 3])
            verdict = ""
            if target is not None:
                worst = max(m[k], m[k + 1]) / m[0]
                verdict = f"<= {target}: " + ("met" if worst <= target else "missed")
                if k == 1 and worst > target:
                    missed.append(t)
            print(f"{label:<16}{str(n) if k == 1 else '':>8}{f'{m[0]:.2f}' if k == 1 else '':>11}  {cells} {verdict}")
print(f"\n--text and --json against dmidecode: {'every target met' if not missed else 'missed on ' + ', '.join(missed)}")
PY

# Peak memory of --json on the largest table, against a process that prints --version
# (target: less than 4 MiB above it).
if [ -x /usr/bin/time ]; then
  peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
  echo
  for p in "${programs[@]}"; do
    base=$(peak "$p" --version)
    json=$(peak "$p" --json --from-dump "$work/small-window.bin")
    echo "peak RSS of $(basename "$p"): --version $base KiB, --json on small-window $json KiB:" \
      "$(( json - base )) KiB above (target < 4096 KiB: $([ $(( json - base )) -lt 4096 ] && echo met || echo missed))"
  done
fi
echo "load after: $(uptime | sed 's/.*load average/load average/')"
