# The Wine set-up that the Windows tests and screenshots share. Sourced; call
# lumetra_wine_start FOLDER to get an X server (Xvfb), DISPLAY and a prepared 64-bit
# prefix under FOLDER, and lumetra_wine_stop when done (test.sh sets a trap).
# Debian keeps wine64 out of PATH.
export PATH="/usr/lib/wine:$PATH"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installer dialogs

lumetra_wine_xvfb=""

lumetra_wine_start() {
  local folder=$1
  mkdir -p "$folder"
  export WINEPREFIX="$(realpath "$folder")/prefix"
  # The X server comes first: windows of a Wine started without a display never appear.
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -dpi 96 -nolisten tcp >"$folder/xvfb.log" 2>&1 &
    lumetra_wine_xvfb=$!
    sleep 1
    if kill -0 "$lumetra_wine_xvfb" 2>/dev/null; then
      export DISPLAY=":$n"
      break
    fi
    lumetra_wine_xvfb=""
  done
  [ -n "$lumetra_wine_xvfb" ] || { echo "could not start Xvfb" >&2; return 1; }
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine64 wineboot -i >"$folder/wineboot.log" 2>&1
    wineserver -w
  fi
  # Debian's Wine does not read its own fonts folder; captions need no window manager.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  wineserver -w
}

lumetra_wine_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  if [ -n "$lumetra_wine_xvfb" ]; then
    kill "$lumetra_wine_xvfb" 2>/dev/null || true
    lumetra_wine_xvfb=""
  fi
}
