#!/usr/bin/env bash
# Builds the .deb with CPack, unpacks it into a scratch root and runs what it installed:
# the version, the JSON of a fixture, and the windows offscreen.
set -euo pipefail
build=$1 data=$2 work=$3
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
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -dumpmachine)
for f in usr/bin/lumetra usr/libexec/lumetra-read-table "usr/lib/$multiarch/lumetra/liblumetra_gui.so" \
         usr/share/polkit-1/actions/org.lumetra.Lumetra.policy usr/share/man/man1/lumetra.1 \
         usr/share/applications/org.lumetra.Lumetra.desktop usr/share/metainfo/org.lumetra.Lumetra.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.lumetra.Lumetra.svg usr/share/bash-completion/completions/lumetra \
         usr/share/doc/lumetra/lumetra.schema.json; do
  [ -e "$root/$f" ] || fail "missing $f"
done
[ ! -e "$root/usr/bin/liblumetra_gui.so" ] || fail "the window module lies beside the program"
grep -q '<annotate key="org.freedesktop.policykit.exec.path">/usr/libexec/lumetra-read-table</annotate>' \
  "$root/usr/share/polkit-1/actions/org.lumetra.Lumetra.policy" || fail "the policy names another helper path"

lumetra=$root/usr/bin/lumetra
[ "$("$lumetra" --version)" = "lumetra 1.0" ] || fail "--version"
cmp <("$lumetra" --json --from-dump "$data/q35-workstation/dump.bin") \
    <("$build/lumetra" --json --from-dump "$data/q35-workstation/dump.bin") || fail "--json differs from the build's"

# The windows, from the unpacked module: each saved and closed.
shots=$work/shots
QT_QPA_PLATFORM=offscreen LUMETRA_GRAB_DIR=$shots LUMETRA_GRAB_TYPES=17 \
  timeout 60 "$lumetra" --from-dump "$data/q35-workstation/dump.bin" 2>"$work/windows.err" || {
  cat "$work/windows.err"; fail "the windows did not run"; }
for shot in main detail-17 about; do
  [ -s "$shots/$shot.png" ] || fail "$shot.png was not saved"
done
echo "package $(basename "$deb") installs and runs"
