#!/usr/bin/env bash
# Installs what is missing, builds Tavrin with its tests and runs every test:
# the whole suite, then the monitor tests once more under ThreadSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
jobs=$(nproc)

"$root/scripts/build.sh" debug -DTAVRIN_SANITIZE=address,undefined
(cd "$root/build/debug" && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j"$jobs")

"$root/scripts/build.sh" tsan -DTAVRIN_SANITIZE=thread -DTAVRIN_MONITOR_TESTS_ONLY=ON
(cd "$root/build/tsan" &&
  TSAN_OPTIONS="suppressions=$root/tests/monitor/tsan.supp halt_on_error=1 second_deadlock_stack=1 die_after_fork=0" \
    ctest --output-on-failure -j"$jobs")
