#!/usr/bin/env bash
# Installs what is missing, builds Tavrin with its tests and runs every test:
# the whole suite, then the monitor tests once more under ThreadSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
jobs=$(nproc)

# A sound server with one silent output, so that the alert clips really play.
if command -v pulseaudio >/dev/null; then
  export XDG_RUNTIME_DIR="$root/build/runtime"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  pulseaudio --kill >/dev/null 2>&1 || true
  pulseaudio -n --daemonize=yes --exit-idle-time=-1 --load="module-null-sink sink_name=nullsink" \
    --load=module-native-protocol-unix >/dev/null 2>&1 || true
  trap 'pulseaudio --kill >/dev/null 2>&1 || true' EXIT
fi

"$root/scripts/build.sh" debug -DTAVRIN_SANITIZE=address,undefined
(cd "$root/build/debug" && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j"$jobs")

"$root/scripts/build.sh" tsan -DTAVRIN_SANITIZE=thread -DTAVRIN_MONITOR_TESTS_ONLY=ON
(cd "$root/build/tsan" &&
  TSAN_OPTIONS="suppressions=$root/tests/monitor/tsan.supp halt_on_error=1 second_deadlock_stack=1 die_after_fork=0" \
    ctest --output-on-failure -j"$jobs")
