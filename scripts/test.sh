#!/usr/bin/env bash
# Installs what is missing, builds twice (plainly, then with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs every test in both builds, then
# runs every fuzz target for ten seconds (a clang build of its own).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install_deps.sh
bash scripts/check_format.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DWV_SANITIZE=ON -DWV_BENCH=OFF
cmake --build build-sanitize -j"$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs")

bash scripts/fuzz.sh 10 "$jobs"
