#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang's libFuzzer into build-fuzz/ and
# runs each for a while, starting from the committed seeds in fuzz/corpus/.
# Usage: scripts/fuzz.sh [SECONDS-PER-TARGET] [TARGET...]  (default 60, all)
# What a run finds new goes to build-fuzz/corpus/; a crash or a failed
# property leaves its input as build-fuzz/crash-* and ends the script.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SECONDS_EACH=${1:-60}
shift || true
TARGETS=("$@")
((${#TARGETS[@]})) || TARGETS=(fuzz_prm fuzz_datafile fuzz_profile fuzz_format fuzz_datetime fuzz_syntax fuzz_columns)

"$ROOT/scripts/setup.sh" # the window layer the format target links comes from build/
# clang and its libFuzzer runtime, only when missing; the normal build needs neither.
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
cmake -S "$ROOT/fuzz" -B "$ROOT/build-fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DTARVO_BUILD_DIR="${TARVO_BUILD_DIR:-$ROOT/build}"
cmake --build "$ROOT/build-fuzz" -j "$(nproc)" --target "${TARGETS[@]}"

cd "$ROOT/build-fuzz"
for target in "${TARGETS[@]}"; do
  mkdir -p "corpus/$target" scratch
  echo "== $target: $SECONDS_EACH s"
  TMPDIR="$ROOT/build-fuzz/scratch" ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen "./$target" -max_total_time="$SECONDS_EACH" \
    -max_len=4096 -timeout=10 -artifact_prefix="$ROOT/build-fuzz/" -print_final_stats=1 \
    "corpus/$target" "$ROOT/fuzz/corpus/$target" 2>&1 | grep -E "DONE|stat::number_of_executed_units|SUMMARY|property failed|ERROR" || true
  rm -rf scratch
  if ls "$ROOT"/build-fuzz/crash-* "$ROOT"/build-fuzz/timeout-* >/dev/null 2>&1; then
    echo "$target failed: see build-fuzz/crash-* or timeout-*" >&2
    exit 1
  fi
done
