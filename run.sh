#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the viewer and starts it: the windows on
# this machine's table, or on the bundled sample when this machine has no readable
# table; the text view when there is no display.
# Arguments, when given, go to lumetra instead (for example --text, or --from-dump PATH).
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
lumetra_setup_run
# Only the viewer: the tests' packages are test.sh's. A build folder that test.sh
# made keeps its tests.
tests=()
[ -f build/CMakeCache.txt ] || tests=(-DLUMETRA_TESTS=OFF)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${tests[@]}" >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
if [ $# -gt 0 ]; then
  exec ./build/lumetra "$@"
fi

table=()
if ! ./build/lumetra --list >/dev/null 2>&1; then
  echo "This machine's SMBIOS table cannot be read ($(./build/lumetra --list 2>&1 >/dev/null | tail -n 1)):"
  echo "showing the bundled sample, samples/dump.bin, instead."
  table=(--from-dump samples/dump.bin)
fi
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (DISPLAY and WAYLAND_DISPLAY are not set): printing the text view."
  exec ./build/lumetra --text "${table[@]}"
fi
exec ./build/lumetra "${table[@]}"
