#!/usr/bin/env bash
# The validators of the files that integrate lumetra with the desktop, with no warnings.
set -euo pipefail
src=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
id=org.lumetra.Lumetra

desktop-file-validate "$src/data/$id.desktop"
appstreamcli validate --no-net "$src/data/$id.metainfo.xml"
warnings=$(MANWIDTH=80 man --warnings -l "$src/doc/lumetra.1" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "man --warnings: $warnings"; exit 1; }

# The polkit action is well-formed XML, names the helper's path and keeps the authorisation.
sed "s|@LUMETRA_HELPER@|/usr/libexec/lumetra-read-table|" "$src/data/$id.policy.in" >"$work/$id.policy"
python3 - "$work/$id.policy" <<'PY'
import sys, xml.etree.ElementTree as ET
action = ET.parse(sys.argv[1]).getroot().find("action")
assert action.find("annotate[@key='org.freedesktop.policykit.exec.path']").text == "/usr/libexec/lumetra-read-table"
assert action.find("defaults/allow_active").text == "auth_admin_keep"
PY

# The completion offers the options, and file names after --from-dump.
bash -n "$src/data/lumetra.bash-completion"
complete_words() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _lumetra; printf "%s\n" "${COMPREPLY[@]}"' _ \
    "$src/data/lumetra.bash-completion" "$@"
}
[ "$(complete_words lumetra --js)" = "--json" ]
touch "$work/table.bin"
[ "$(cd "$work" && complete_words lumetra --from-dump tab)" = "table.bin" ]
[ "$(cd "$work" && complete_words lumetra --dump-bin = tab)" = "table.bin" ]
echo "desktop files valid"
