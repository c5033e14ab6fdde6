#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the viewer and starts it.
# Arguments are passed to lumetra (for example --text, or --from-dump PATH).
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
lumetra_setup
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
exec ./build/lumetra "${@:---list}"
