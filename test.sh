#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
lumetra_setup

jobs=$(nproc 2>/dev/null || echo 2)

# The program and its tests, warnings as errors.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMETRA_WERROR=ON
cmake --build build -j"$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer; any
# finding ends the test that hit it.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMETRA_WERROR=ON -DLUMETRA_SANITIZE=ON
cmake --build build-asan -j"$jobs"
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

# The fuzz targets, a minute each (side by side), on the seeds and the corpus of earlier runs.
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMETRA_WERROR=ON -DLUMETRA_TESTS=OFF \
  -DLUMETRA_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14
cmake --build build-fuzz -j"$jobs" --target fuzz_dump fuzz_table
fuzz/run.sh build-fuzz 60

# Windows. The 32-bit build is what ships; these machines cannot run it, so its files
# are checked without running them (imports, exports, subsystem version).
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DLUMETRA_WERROR=ON
cmake --build build-win -j"$jobs"
(cd build-win && ctest --output-on-failure)

# The same programs for 64-bit Windows, with the test suite, the window tests and the
# console program's comparison with the Linux one, under wine64 in an X server of its own.
source tools/wine-env.sh
trap lumetra_wine_stop EXIT
lumetra_wine_start build-win64/wine
cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DLUMETRA_WERROR=ON \
  -DLUMETRA_LINUX_PROGRAM="$PWD/build/lumetra"
cmake --build build-win64 -j"$jobs"
(cd build-win64 && ctest --output-on-failure -j"$jobs")

# The shipped 32-bit programs under Wine with the 9x and NT settings, where this machine
# can run 32-bit code; otherwise one line saying why they were skipped.
tools/run-32bit-checks.sh build-win
