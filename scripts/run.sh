#!/usr/bin/env bash
# Installs what is missing, builds Tavrin and starts it.
# The program uses its real quote and chart services (or TAVRIN_QUOTE_URL). When
# the quote service cannot be reached within a couple of seconds, or with
# TAVRIN_DEMO=1, a local quote simulator is started and the program is pointed at it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" release
bin="$root/build/release/bin"

quote_url=${TAVRIN_QUOTE_URL:-http://qt.gtimg.cn}
demo=${TAVRIN_DEMO:-0}
if [ "$demo" != 1 ] && ! curl -s -o /dev/null --max-time 2 "$quote_url/q=sh000001"; then
  echo "The quote service $quote_url cannot be reached: using the local quote simulator instead."
  demo=1
fi

if [ "$demo" = 1 ]; then
  sim_out=$(mktemp)
  "$bin/quote-sim" --port 0 >"$sim_out" &
  sim_pid=$!
  trap 'kill $sim_pid 2>/dev/null || true; rm -f "$sim_out"' EXIT
  for _ in $(seq 50); do [ -s "$sim_out" ] && break; sleep 0.1; done
  base=$(head -n1 "$sim_out")
  export TAVRIN_QUOTE_URL=$base TAVRIN_CHART_URL=$base TAVRIN_VALUE_URL=$base TAVRIN_UPDATE_URL=$base
  echo "Quote simulator at $base"
fi
export TAVRIN_DATA_DIR=${TAVRIN_DATA_DIR:-$HOME/.local/share/Tavrin}
mkdir -p "$TAVRIN_DATA_DIR"
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1

if [ -x "$bin/Tavrin" ]; then
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Tavrin under a virtual X server."
    xvfb-run -a -s "-screen 0 1280x800x24" "$bin/Tavrin"
  else
    "$bin/Tavrin"
  fi
else
  "$bin/tavrin-quote" 600519
fi
