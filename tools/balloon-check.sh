#!/usr/bin/env bash
# A real alert balloon, seen as a user sees it: Tavrin under a virtual X server with
# a notification area (trayer), a stock whose target price is already reached,
# monitoring switched on with a click; writes a PNG of the screen after the first tick.
#   balloon-check.sh [OUTPUT.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/balloon.png}
bin=${TAVRIN_BIN:-$root/build/release/bin/Tavrin}
for tool in xvfb-run import sqlite3 trayer xdotool; do
  command -v "$tool" >/dev/null || "$root/scripts/deps.sh"
done
[ -x "$bin" ] || "$root/scripts/build.sh" release

data=$(mktemp -d)
sim_pid=
trap 'rm -rf "$data"; [ -z "$sim_pid" ] || kill "$sim_pid" 2>/dev/null || true' EXIT
export TAVRIN_DATA_DIR=$data
"$(dirname "$bin")/quote-sim" --port 0 >"$data/sim.url" &
sim_pid=$!
for _ in $(seq 50); do [ -s "$data/sim.url" ] && break; sleep 0.1; done
export TAVRIN_QUOTE_URL=$(head -n1 "$data/sim.url")

QT_QPA_PLATFORM=offscreen TAVRIN_EXIT_AFTER_MS=1 "$bin" 2>/dev/null
sqlite3 "$data/Database.db" <<'SQL'
INSERT INTO gupiao (mingcheng, daima, cjjg, cjsl, yjjg, yjnr) VALUES ('贵州茅台', '600519', '1600', '100', '1000', '上涨到');
SQL

mkdir -p "$(dirname "$out")"
export TAVRIN_EXIT_AFTER_MS=12000 TAVRIN_SHOT=$out
xvfb-run -a -s "-screen 0 1024x600x24" bash -c '
  trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel --height 28 &
  sleep 1
  "$0" 2>/dev/null &
  pid=$!
  sleep 3
  # 执行监控 sits at the top edge of the window, which stands at 50, 50.
  xdotool mousemove 460 60 click 1
  # The first tick comes 3 s later; a target balloon stays for 1 s.
  sleep 3.4
  import -window root "$TAVRIN_SHOT"
  wait "$pid"
' "$bin"
grep -a -c . "$data"/gupiao.ini >/dev/null 2>&1 && iconv -f GBK -t UTF-8 "$data/gupiao.ini"
echo "$out"
