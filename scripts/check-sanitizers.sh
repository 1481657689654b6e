#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the tests there. Slower than ./test.sh; run it after
# changes to window lifetimes, buffers or parsers.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$ROOT/scripts/setup.sh"
FLAGS="-fsanitize=address,undefined -fno-sanitize=vptr -fno-omit-frame-pointer"
cmake -S "$ROOT" -B "$ROOT/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVO_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$FLAGS" -DCMAKE_EXE_LINKER_FLAGS="$FLAGS" -DCMAKE_SHARED_LINKER_FLAGS="$FLAGS"
cmake --build "$ROOT/build-asan" -j "$(nproc)"
cd "$ROOT/build-asan"
# A UBSan finding fails its test instead of scrolling past in a passing one.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
