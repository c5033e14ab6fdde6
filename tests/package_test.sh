#!/usr/bin/env bash
# Builds the .deb with CPack, unpacks it into a scratch root and runs what it installed:
# the version, the JSON of a fixture, and the windows offscreen through lumetra.
set -euo pipefail
build=$1 data=$2 work=$3 static=$4
rm -rf "$work" && mkdir -p "$work"

(cd "$build" && cpack -G DEB -B "$work/cpack" -D CPACK_OUTPUT_FILE_PREFIX="$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/lumetra_*.deb)
root=$work/root
dpkg -x "$deb" "$root"

fail() { echo "package: $*"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6widgets6 libqt6svg6; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
for f in usr/bin/lumetra usr/bin/lumetra-gui usr/libexec/lumetra-read-table \
         usr/share/polkit-1/actions/org.lumetra.Lumetra.policy usr/share/man/man1/lumetra.1 \
         usr/share/applications/org.lumetra.Lumetra.desktop usr/share/metainfo/org.lumetra.Lumetra.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.lumetra.Lumetra.svg usr/share/bash-completion/completions/lumetra \
         usr/share/doc/lumetra/lumetra.schema.json; do
  [ -e "$root/$f" ] || fail "missing $f"
done
[ -z "$(find "$root" -name 'liblumetra*')" ] || fail "a window module is installed: $(find "$root" -name 'liblumetra*')"
# The views start as a static program (not under the sanitizers); the window program is
# Qt's, linked dynamically.
if [ "$static" = ON ]; then
  file -L "$root/usr/bin/lumetra" | grep -q "statically linked" || fail "lumetra is not static: $(file -L "$root/usr/bin/lumetra")"
fi
file -L "$root/usr/bin/lumetra-gui" | grep -q "dynamically linked" || fail "lumetra-gui: $(file -L "$root/usr/bin/lumetra-gui")"
grep -q '<annotate key="org.freedesktop.policykit.exec.path">/usr/libexec/lumetra-read-table</annotate>' \
  "$root/usr/share/polkit-1/actions/org.lumetra.Lumetra.policy" || fail "the policy names another helper path"

# Both programs run the views.
for program in lumetra lumetra-gui; do
  [ "$("$root/usr/bin/$program" --version)" = "lumetra 1.0" ] || fail "$program --version"
  cmp <("$root/usr/bin/$program" --json --from-dump "$data/q35-workstation/dump.bin") \
      <("$build/lumetra" --json --from-dump "$data/q35-workstation/dump.bin") || fail "$program --json differs from the build's"
done
lumetra=$root/usr/bin/lumetra

# The windows, through lumetra and the unpacked lumetra-gui: each saved and closed.
shots=$work/shots
QT_QPA_PLATFORM=offscreen LUMETRA_GRAB_DIR=$shots LUMETRA_GRAB_TYPES=17 \
  timeout 60 "$lumetra" --from-dump "$data/q35-workstation/dump.bin" 2>"$work/windows.err" || {
  cat "$work/windows.err"; fail "the windows did not run"; }
for shot in main detail-17 about; do
  [ -s "$shots/$shot.png" ] || fail "$shot.png was not saved"
done
echo "package $(basename "$deb") installs and runs"
