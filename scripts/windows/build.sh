#!/usr/bin/env bash
# Cross-builds Tavrin for 64-bit Windows with the cached tool chain (see
# toolchain.sh): the libraries, tavrin-quote.exe, the GUI program Tavrin.exe with
# Lumeve.dll, and the test programs that do not need X11.
#
#   scripts/windows/build.sh [BUILD_DIR]      (default build/windows)
#
# Installs the program into BUILD_DIR/dist/Tavrin-win64 with the DLLs and Qt
# plugins it needs, and zips that as BUILD_DIR/dist/Tavrin-win64.zip.
#
# TAVRIN_WIN_CACHE: the tool chain cache; TAVRIN_WIN_JOBS: -j (default 2);
# TAVRIN_WIN_BUILD_TYPE: default Debug; TAVRIN_WIN_TARGETS: what to build
# (default all); TAVRIN_QUOTE_SIM_PROGRAM: the simulator
# the test programs start, if any.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$repo/build/windows}
cache=${TAVRIN_WIN_CACHE:-$HOME/.cache/tavrin/windows}
prefix=$cache/prefix
jobs=${TAVRIN_WIN_JOBS:-2}
export TAVRIN_WIN_CACHE=$cache

started=$SECONDS
[ -x "$prefix/bin/qt-cmake" ] || {
  echo "build.sh: no Windows tool chain in $cache (run scripts/windows/toolchain.sh)" >&2
  exit 1
}

# The GUI program too; the benchmarks stay Linux-only.
project_options=(-DTAVRIN_BUILD_BENCH=OFF)

emulator=()
if command -v wine > /dev/null; then
  emulator=(-DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v wine)")
fi

mkdir -p "$build"
# qt-cmake brings Qt's own toolchain file, which loads ours after it.
nice -n 10 "$prefix/bin/qt-cmake" -S "$repo" -B "$build" -G Ninja \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$repo/cmake/windows/mingw64.cmake" \
  -DCMAKE_BUILD_TYPE="${TAVRIN_WIN_BUILD_TYPE:-Debug}" \
  -DTAVRIN_QUOTE_SIM_PROGRAM="${TAVRIN_QUOTE_SIM_PROGRAM:-}" \
  "${emulator[@]}" "${project_options[@]}" > "$build/configure.log" 2>&1 || {
  tail -n 40 "$build/configure.log" >&2
  echo "build.sh: configure failed (log: $build/configure.log)" >&2
  exit 1
}
# TAVRIN_WIN_TARGETS: only these (e.g. "Tavrin Lumeve tavrin-quote" for the dist folder alone).
read -r -a targets <<< "${TAVRIN_WIN_TARGETS:-all}"
nice -n 10 cmake --build "$build" -j "$jobs" --target "${targets[@]}"

# The folder to hand out, and its zip (CPack unpacks as Tavrin-win64/).
dist=$build/dist
rm -rf "$dist"
{
  cmake --install "$build" --prefix "$dist/Tavrin-win64" &&
    (cd "$build" && nice -n 10 cpack -G ZIP -B "$dist")
} > "$build/dist.log" 2>&1 || {
  tail -n 30 "$build/dist.log" >&2
  echo "build.sh: installing into $dist failed (log: $build/dist.log)" >&2
  exit 1
}
rm -rf "$dist/_CPack_Packages"
echo "build.sh: $dist/Tavrin-win64 and $dist/Tavrin-win64.zip"
echo "build.sh: built in $build ($((SECONDS - started)) s)"
