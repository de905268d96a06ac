#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the normal build with warnings as errors,
# the Debian package and its checks, the checks on the code's shape, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzz targets for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

echo "== build and test"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_BENCH=ON \
  -DVELMORA_WERROR=ON -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build/test -j "$jobs"
ctest --test-dir build/test -j "$jobs" --timeout 300

echo "== Debian package (lintian, AppStream, contents, unpacked velmora-cli)"
package=$(./scripts/package.sh build/test | tail -1)
./tests/packaging/check-package.sh "$package"

echo "== code shape (format, layers, clang-tidy)"
./scripts/check-style.sh build/test

echo "== sanitizers (ASan + UBSan)"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_WERROR=ON
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0" \
  ctest --test-dir build/asan -j "$jobs" --timeout 600

echo "== fuzz targets"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVELMORA_FUZZ=ON -DVELMORA_BUILD_APP=OFF -DVELMORA_BUILD_TESTS=OFF -DVELMORA_WERROR=ON
cmake --build build/fuzz -j "$jobs"
ctest --test-dir build/fuzz --timeout 120
