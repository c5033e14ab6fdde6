#!/usr/bin/env bash
# Times whole lumetra processes against dmidecode on the same files, with hyperfine:
# the fixtures and generated tables, each view with --from-dump, and start-up alone.
# Prints medians and each lumetra median as a ratio of dmidecode's in the same run.
#   bench/compare.sh [BUILD_DIR]      (BUILD_DIR holds lumetra and make_table; default build-bench)
# RUNS (default 20) and WARMUP (default 3) set hyperfine's counts.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
lumetra=$build/lumetra
make_table=$build/make_table
runs=${RUNS:-20}
warmup=${WARMUP:-3}
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
echo "hyperfine: $runs runs after $warmup warm-up runs each; times in ms"
echo

# Start-up alone: --help prints the usage and ends with status 2.
hyperfine -N -i -w "$warmup" -r "$runs" --export-json "$work/startup.json" \
  "$dmidecode --version" "$lumetra --help" >/dev/null 2>&1
for t in "${tables[@]}"; do
  f=$work/$t.bin
  hyperfine -N -w "$warmup" -r "$runs" --export-json "$work/$t.json" \
    "$dmidecode --from-dump $f" "$lumetra --text --from-dump $f" \
    "$lumetra --json --from-dump $f" "$lumetra --list --from-dump $f" >/dev/null
done

python3 - "$work" "${tables[@]}" <<'PY'
import json, statistics, sys
work, tables = sys.argv[1], sys.argv[2:]
def medians(name):
    with open(f"{work}/{name}.json") as f:
        return [statistics.median(r["times"]) * 1000 for r in json.load(f)["results"]]
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
d, h = medians("startup")
print(f"start-up: dmidecode --version {d:.2f}, lumetra --help {h:.2f} ({h / d:.2f}x)\n")
print(f"{'table':<16}{'structs':>8}{'dmidecode':>11}{'--text':>16}{'--json':>16}{'--list':>16}")
for t in tables:
    m = medians(t)
    cells = "".join(f"{x:>8.2f} {x / m[0]:>5.2f}x " for x in m[1:])
    print(f"{t:<16}{count(t):>8}{m[0]:>11.2f}  {cells}")
PY

# Peak memory of --json on the largest table, against the process's own baseline.
if command -v /usr/bin/time >/dev/null 2>&1 || [ -x /usr/bin/time ]; then
  peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
  base=$(peak "$lumetra" --list --from-dump "$work/pc-default.bin")
  json=$(peak "$lumetra" --json --from-dump "$work/small-window.bin")
  echo
  echo "peak RSS: --list on pc-default $base KiB, --json on small-window $json KiB (+$(( (json - base) / 1024 )) MiB)"
fi
echo "load after: $(uptime | sed 's/.*load average/load average/')"
