#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds Tavrin with its tests and
# runs every test: the whole suite, then the monitor tests once more under ThreadSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
jobs=$(nproc)
# Compiler cache entries keyed by paths relative to the tree, so that another clone reuses them.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1

# A sound server with one silent output, so that the alert clips really play.
if command -v pulseaudio >/dev/null; then
  export XDG_RUNTIME_DIR="$root/build/runtime"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  pulseaudio --kill >/dev/null 2>&1 || true
  pulseaudio -n --daemonize=yes --exit-idle-time=-1 --load="module-null-sink sink_name=nullsink" \
    --load=module-native-protocol-unix >/dev/null 2>&1 || true
  trap 'pulseaudio --kill >/dev/null 2>&1 || true' EXIT
fi

"$root/scripts/check-format.sh"

"$root/scripts/build.sh" asan
(cd "$root/build/asan" && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j"$jobs")

# The ThreadSanitizer options are set per test by the build (cmake/TavrinTesting.cmake).
"$root/scripts/build.sh" tsan
(cd "$root/build/tsan" && ctest --output-on-failure -j"$jobs")

# Last, the Windows build under Wine, when the cross tool chain is already in
# its cache: building it takes over an hour, so a run never starts that itself.
win_cache=${TAVRIN_WIN_CACHE:-$HOME/.cache/tavrin/windows}
if [ -x "$win_cache/prefix/bin/qt-cmake" ] && [ -f "$win_cache/stamps/qt" ] && [ -f "$win_cache/stamps/curl" ]; then
  echo "Windows suite: tool chain found in $win_cache"
  TAVRIN_WIN_JOBS=$jobs nice -n 5 "$root/scripts/windows/test.sh"
else
  echo "Windows suite SKIPPED: no tool chain in $win_cache (scripts/windows/toolchain.sh builds it)"
fi
