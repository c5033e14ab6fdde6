#!/usr/bin/env bash
# Runs the shipped 32-bit programs under Wine with Windows 98 and XP settings, where
# this machine can run 32-bit code; otherwise prints one line saying why not.
#   tools/run-32bit-checks.sh BUILD   (the i686 build folder; build/lumetra must exist)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "$1")
source tools/wine-env.sh

skip() {
  echo "32-bit Windows checks skipped: $*"
  exit 0
}
command -v wine >/dev/null 2>&1 || skip "no 32-bit Wine here (Debian's wine32 needs the i386 architecture, which this machine cannot execute)"
export WINEPREFIX="$build/wine32/prefix"
mkdir -p "$build/wine32"
if ! version=$(WINEDEBUG= wine "$build/lumetra-cli.exe" --version 2>"$build/wine32/probe.log"); then
  why=$(grep -m 1 -E 'wine32 is missing|Exec format error|failed to (open|load)|cannot execute' "$build/wine32/probe.log" ||
        tail -n 1 "$build/wine32/probe.log")
  why=$(echo "$why" | sed -E 's/^[0-9a-f]{4}:err:[^ ]* //')
  skip "this machine cannot run 32-bit Windows programs (wine: $why)"
fi
echo "32-bit checks under $(wine --version): $version"

failed=0
for setting in win98 winxp; do
  for program in lumetra-cli.exe direct_check.exe; do
    wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$program" /v Version /d "$setting" /f >/dev/null 2>&1
  done
  wineserver -w
  family=nt
  [ "$setting" = win98 ] && family=9x
  if wine "$build/direct_check.exe" "$family" tests/data/pc-default/fseg.bin; then
    echo "  $setting: direct_check passed"
  else
    echo "  $setting: direct_check FAILED"
    failed=1
  fi
  for fixture in tests/data/*/dump.bin; do
    for view in --json --text; do
      expected=$(./build/lumetra "$view" --from-dump "$fixture" | sed 's/Computer Name : [^"]*/Computer Name : -/')
      actual=$(wine "$build/lumetra-cli.exe" "$view" --from-dump "$fixture" | sed 's/Computer Name : [^"]*/Computer Name : -/')
      if [ "$expected" != "$actual" ]; then
        echo "  $setting: lumetra-cli.exe $view $fixture differs from the Linux program"
        failed=1
      fi
    done
  done
  echo "  $setting: lumetra-cli.exe compared on $(ls tests/data/*/dump.bin | wc -l) fixtures"
done
wineserver -k 2>/dev/null || true
exit "$failed"
