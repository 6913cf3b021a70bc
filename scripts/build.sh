#!/usr/bin/env bash
# Configures and builds Tavrin with one of the CMake presets: build.sh NAME [cmake options...]
# NAME is release, debug, asan or tsan; the tree goes to build/NAME, so a folder
# always holds the settings its name says.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=${1:-release}
shift || true
case "$name" in
  release | debug | asan | tsan) ;;
  *) echo "build.sh: unknown build '$name' (release, debug, asan, tsan)" >&2; exit 2 ;;
esac
cd "$root"
cmake --preset "$name" "$@" >/dev/null
cmake --build --preset "$name" -j"$(nproc)"
