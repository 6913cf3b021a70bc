#!/usr/bin/env bash
# Starts Tavrin under a virtual X server with a small seeded watch list and
# writes a PNG of its main window: screenshot.sh [OUTPUT.png] [--full]
# TAVRIN_BIN names the program (default: build/release/bin/Tavrin, built when missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/screenshot.png}
full=${2:-}
bin=${TAVRIN_BIN:-$root/build/release/bin/Tavrin}

for tool in xvfb-run import sqlite3; do
  command -v "$tool" >/dev/null || "$root/scripts/deps.sh"
done
if [ ! -x "$bin" ]; then
  "$root/scripts/build.sh" release
fi

data=$(mktemp -d)
sim_pid=
trap 'rm -rf "$data"; [ -z "$sim_pid" ] || kill "$sim_pid" 2>/dev/null || true' EXIT
export TAVRIN_DATA_DIR=$data

# The live columns come from the local quote simulator.
sim=$(dirname "$bin")/quote-sim
if [ -x "$sim" ]; then
  "$sim" --port 0 >"$data/sim.url" &
  sim_pid=$!
  for _ in $(seq 50); do [ -s "$data/sim.url" ] && break; sleep 0.1; done
  export TAVRIN_QUOTE_URL=$(head -n1 "$data/sim.url")
fi

# A first run provisions the database with the program's own table; then the
# stocks go in.
QT_QPA_PLATFORM=offscreen TAVRIN_EXIT_AFTER_MS=1 "$bin" 2>/dev/null
sqlite3 "$data/Database.db" <<'SQL'
INSERT INTO gupiao (mingcheng, daima, cjjg, cjsl, yjjg, yjnr) VALUES
  ('贵州茅台', '600519', '1680', '100', '1750', '上涨到'),
  ('平安银行', '000001', '11.5', '2000', NULL, NULL),
  ('宁德时代', '300750', '198.2', '300', '180', '下跌到'),
  ('上证指数', '000001', NULL, '00', NULL, NULL);
SQL

mkdir -p "$(dirname "$out")"
# The main window sits at 50, 50 with no window manager to move it; the crop
# keeps it and a margin.
crop=(-crop 620x330+0+0 +repage)
[ "$full" = --full ] && crop=()
export TAVRIN_EXIT_AFTER_MS=8000 TAVRIN_SHOT=$out
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$0" 2>/dev/null &
  pid=$!
  sleep 3
  import -window root "${@}" "$TAVRIN_SHOT"
  wait "$pid"
' "$bin" "${crop[@]}"
echo "$out"
