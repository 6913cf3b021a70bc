#!/usr/bin/env bash
# Configures and builds Tavrin: build.sh NAME [cmake options...]
# NAME is release, debug or tsan; the tree goes to build/NAME.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=${1:-release}
shift || true
case "$name" in
  release) type=Release ;;
  *) type=Debug ;;
esac
dir="$root/build/$name"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
