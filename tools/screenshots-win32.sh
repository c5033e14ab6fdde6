#!/usr/bin/env bash
# Saves PNG screenshots of lumetra.exe's windows for review: the 64-bit build under
# wine64 on an X server of its own (Xvfb, no window manager: Wine draws the frames),
# on a saved table. main.png, detail.png (the first structure), system-menu.png,
# about.png, export-report.png (the save dialog) and no-dmi-function.png (the
# message box on a file that holds no table).
#   tools/screenshots-win32.sh [DUMP [FOLDER]]   defaults: samples/dump.bin, BUILD/screenshots
# LUMETRA_WIN_BUILD names the build folder BUILD (default build-win64; built if missing).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${LUMETRA_WIN_BUILD:-build-win64}
dump=$(realpath "${1:-samples/dump.bin}")
mkdir -p "${2:-$build/screenshots}"
out=$(realpath "${2:-$build/screenshots}")

source tools/setup.sh
lumetra_install wine64 fonts-wine xvfb xdotool imagemagick g++-mingw-w64-x86-64 cmake
if [ ! -f "$build/lumetra.exe" ]; then
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DLUMETRA_TESTS=OFF >/dev/null
  cmake --build "$build" -j2 --target lumetra >/dev/null
fi
exe=$(realpath "$build/lumetra.exe")

# An X server of the script's own and the build's Wine prefix (the one test.sh uses).
source tools/wine-env.sh
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  lumetra_wine_stop
}
trap cleanup EXIT
lumetra_wine_start "$build/wine"

# Waits up to 30 s for a window with exactly this name; prints its id.
find_window() {
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then
      sleep 1 # painted
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
  echo "no window named '$1'" >&2
  return 1
}

grab() {
  import -window "$1" "$out/$2"
  echo "$out/$2"
}

rm -f "$out"/*.png
wine64 "$exe" --from-dump "$(winepath -w "$dump" 2>/dev/null || echo "Z:$dump")" &
program=$!
# The title ends with the saved table's name.
main=$(find_window "Mainboard Lumetra Ver.1.0 for Win9x/NT4/2000/XP - $(basename "$dump")")
grab "$main" main.png
# Home selects the root, Down the first structure, Enter opens it.
xdotool windowfocus --sync "$main"
xdotool key --delay 200 Tab Home Down Return
detail=$(find_window "BIOS Information \(Type 0\)")
grab "$detail" detail.png
xdotool windowfocus --sync "$detail"
xdotool key Return
sleep 1
# The About item, the system menu's last: Alt+Space opens the menu, Up wraps round to
# it (Wine's own "About Wine" shares its letter).
xdotool windowfocus --sync "$main"
xdotool key alt+space
sleep 1
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/system-menu.png"
echo "$out/system-menu.png"
xdotool key --delay 300 Up Return
about=$(find_window "About Lumetra")
grab "$about" about.png
xdotool windowfocus --sync "$about"
xdotool key Return
sleep 1
# The Export Report item by its letter: the save dialog with the report formats.
xdotool windowfocus --sync "$main"
xdotool key --delay 300 alt+space e
export_dialog=$(find_window "Export Report")
grab "$export_dialog" export-report.png
xdotool windowfocus --sync "$export_dialog"
xdotool key Escape
sleep 1
xdotool windowfocus --sync "$main"
xdotool key Escape
wait "$program" || true
program=""

junk=$(mktemp)
head -c 256 /dev/zero | tr '\0' 'x' >"$junk"
wine64 "$exe" --from-dump "Z:$junk" &
program=$!
box=$(find_window "lumetra")
grab "$box" no-dmi-function.png
xdotool windowfocus --sync "$box"
xdotool key Return
wait "$program" || true
program=""
rm -f "$junk"
