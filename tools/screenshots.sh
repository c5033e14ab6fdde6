#!/usr/bin/env bash
# Saves PNG screenshots of the windows for review: the real program under Xvfb, with
# a window manager so that frames and captions show, on a saved table.
#   tools/screenshots.sh [DUMP [FOLDER]]   defaults: samples/dump.bin, screenshots/
# LUMETRA_BUILD names the build folder (default build; built if missing);
# LUMETRA_GRAB_TYPES lists the types whose detail windows to save (default "0 17").
set -euo pipefail
cd "$(dirname "$0")/.."
dump=$(realpath "${1:-samples/dump.bin}")
mkdir -p "${2:-screenshots}"
out=$(realpath "${2:-screenshots}")
build=${LUMETRA_BUILD:-build}
types=${LUMETRA_GRAB_TYPES:-0 17}

source tools/setup.sh
lumetra_packages+=(xvfb xauth openbox)
lumetra_setup
if [ ! -x "$build/lumetra" ] || [ ! -x "$build/lumetra-gui" ]; then
  cmake -S . -B "$build" >/dev/null
  cmake --build "$build" -j2 --target lumetra lumetra-gui >/dev/null
fi
lumetra=$(realpath "$build/lumetra")

# One X server for both runs: the main, detail and About windows on the table, then
# the message box that a missing table brings.
rm -f "$out"/*.png
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  openbox >/dev/null 2>&1 & wm=$!
  sleep 1
  LUMETRA_GRAB_DIR="$1" LUMETRA_GRAB_TYPES="$2" "$3" --from-dump "$4"; status=$?
  LUMETRA_GRAB_DIR="$1" "$3" --from-dump "$4.missing" 2>/dev/null
  kill $wm
  exit $status' screenshots "$out" "$types" "$lumetra" "$dump"
ls -1 "$out"/*.png
