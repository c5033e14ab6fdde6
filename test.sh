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

# The reader and the Windows layers, cross-built for 32-bit Windows.
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DLUMETRA_WINDOWS_LIB_ONLY=ON -DLUMETRA_TESTS=OFF -DLUMETRA_WERROR=ON
cmake --build build-win -j"$jobs"
echo "Windows cross build: $(ls build-win/liblumetra_reader.a)"
