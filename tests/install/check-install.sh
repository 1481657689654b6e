#!/usr/bin/env bash
# Installs the build tree into a fresh prefix, builds a host project against
# it with find_package(Tarvo), and runs the host on the example script.
set -euo pipefail
BUILD=$1 HOST_SRC=$2 WORK=$3 EXAMPLE_PRM=$4 CXX_FLAGS=${5:-} LINKER_FLAGS=${6:-}
rm -rf "$WORK"
mkdir -p "$WORK"
cmake --install "$BUILD" --prefix "$WORK/prefix" >"$WORK/install.log"
for f in lib/libtarvo.so lib/libafx.so lib/cmake/Tarvo/TarvoConfig.cmake include/tarvo/manager/TarvoMgr.h \
         dat/param.dat bin/tarvo-editor share/applications/tarvo-editor.desktop \
         share/icons/hicolor/scalable/apps/tarvo-editor.svg; do
  [ -e "$WORK/prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
cmake -S "$HOST_SRC" -B "$WORK/host" -G Ninja -DCMAKE_PREFIX_PATH="$WORK/prefix" -DCMAKE_CXX_FLAGS="$CXX_FLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="$LINKER_FLAGS" >"$WORK/configure.log"
cmake --build "$WORK/host" >"$WORK/build.log"
OUT=$("$WORK/host/tarvo-host" "$EXAMPLE_PRM")
echo "$OUT"
grep -q "^CustomerEmail	File$" <<<"$OUT"
