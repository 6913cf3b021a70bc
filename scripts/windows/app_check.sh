# shellcheck shell=bash disable=SC2154
# Sourced by test.sh: Tavrin.exe from the dist folder, under Wine on the virtual
# X server, against a Linux quote-sim. Uses test.sh's log/pass/fail, pids,
# wait_for_line and its variables build, work, probe and quote_sim.
#
# First run in a fresh copy of the folder: the program provisions Database.db and
# the log folder beside itself, shows its main window at the designed size and
# ends with 0 when closed. Second run with a stock in the list: 执行监控 brings
# quote requests to the simulator and the alert state into gupiao.ini, in GBK.

# Hex of UTF-8 or GBK bytes, as win-probe takes texts.
hex_of() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }
gbk_hex_of() { printf '%s' "$1" | iconv -f UTF-8 -t GBK | od -An -tx1 | tr -d ' \n'; }

app_title=禾岫股价监控
app_title_hex=$(hex_of "$app_title")

# Starts Tavrin.exe in $app_dir; its exit status lands in $work/app.status.
app_start() {
  rm -f "$work/app.status"
  (
    cd "$app_dir" &&
      # Only the dist folder's own DLLs: nothing from the tool chain.
      WINEPATH="" TAVRIN_QUOTE_URL=$app_sim_url TAVRIN_CHART_URL=$app_sim_url TAVRIN_VALUE_URL=$app_sim_url \
        TAVRIN_UPDATE_URL=$app_sim_url timeout 300 wine "$(winpath "$app_dir/Tavrin.exe")" -platform windows \
        >> "$work/app.out" 2>&1
    echo $? > "$work/app.status"
  ) &
  pids+=($!)
}

# Closes the main window as the user would and waits for the program's end.
app_close() {
  local what=$1
  timeout 30 wine "$probe" close "$app_title_hex" > /dev/null 2>&1 || true
  wait_for_line "$work/app.status" 600
  local status
  status=$(cat "$work/app.status" 2> /dev/null || echo none)
  if [ "$status" = 0 ]; then
    pass "Tavrin.exe $what: closed with exit code 0"
  else
    fail "Tavrin.exe $what: exit code $status"
    tail -n 20 "$work/app.out"
  fi
}

# The main window's title and its outer size, the window rectangle with the
# resize borders that Windows 10 and later draw invisible: the designed 466x219.
app_window() {
  local what=$1 geometry
  geometry=$(timeout 120 wine "$probe" window "$app_title_hex" 90 2> /dev/null | tr -d '\r')
  if [[ $geometry == "outer 466 219 "* ]]; then
    pass "Tavrin.exe $what: window $app_title, $geometry"
  elif [[ $geometry == outer* ]]; then
    fail "Tavrin.exe $what: window $app_title, $geometry (designed outer 466 219)"
  else
    fail "Tavrin.exe $what: no window $app_title"
  fi
}

# The simulator's count of quote requests.
sim_quote_requests() {
  python3 - "$app_sim_url" << 'EOF'
import sys, urllib.request
try:
    text = urllib.request.urlopen(sys.argv[1] + "/admin/stats", timeout=5).read().decode()
except OSError:
    text = ""
counts = dict(line.split("=", 1) for line in text.splitlines() if "=" in line)
print(counts.get("quote_requests", "0"))
EOF
}

# gupiao.ini holds the stock's alert state in GBK, no UTF-8 anywhere.
ini_is_gbk() {
  python3 - "$1" "$2" << 'EOF'
import sys
try:
    data = open(sys.argv[1], "rb").read()
except OSError:
    sys.exit(1)
name = sys.argv[2].encode("gbk")
try:
    data.decode("utf-8")
    utf8 = True
except UnicodeDecodeError:
    utf8 = False
sys.exit(0 if name in data and "[股票价格]".encode("gbk") in data and not utf8 else 1)
EOF
}

# Whether a daily log in the folder has an alert line for the stock, in GBK
# ("[name]" opens every line the alert check writes about a stock).
log_has_alert_line() {
  python3 - "$1" "$2" << 'EOF'
import pathlib, sys
mark = ("[" + sys.argv[2] + "]").encode("gbk")
files = sorted(pathlib.Path(sys.argv[1]).glob("*.txt"))
sys.exit(0 if any(mark in f.read_bytes() for f in files) else 1)
EOF
}

app_check() {
  local dist=$build/dist/Tavrin-win64
  app_dir=$work/app
  if [ ! -x "$dist/Tavrin.exe" ]; then
    fail "dist folder with Tavrin.exe"
    return
  fi
  local missing=()
  for f in Tavrin.exe Lumeve.dll tavrin-quote.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6Sql.dll \
    platforms/qwindows.dll sqldrivers/qsqlite.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll \
    libcurl.dll libpng16.dll libzlib1.dll; do
    [ -f "$dist/$f" ] || missing+=("$f")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    pass "dist folder holds the program, its tools, Qt and the runtime DLLs"
  else
    fail "dist folder misses ${missing[*]}"
  fi
  # The listing whole first: grep -q ending early would fail the pipe (pipefail).
  local listing
  listing=$(unzip -l "$build/dist/Tavrin-win64.zip" 2> /dev/null || true)
  if grep -q ' Tavrin-win64/Tavrin.exe$' <<< "$listing"; then
    pass "Tavrin-win64.zip holds Tavrin-win64/Tavrin.exe"
  else
    fail "Tavrin-win64.zip"
  fi

  rm -rf "$app_dir"
  cp -r "$dist" "$app_dir"
  : > "$work/app.out"

  # The petals library's exports under their GBK names: 玫瑰花, 屏保_弹出托盘菜单.
  local exports
  if exports=$(timeout 60 wine "$probe" exports "$(winpath "$app_dir/Lumeve.dll")" "$(gbk_hex_of 玫瑰花)" \
    "$(gbk_hex_of 屏保_弹出托盘菜单)" 2> /dev/null | tr -d '\r'); then
    pass "Lumeve.dll exports its two GBK-named functions"
  else
    fail "Lumeve.dll exports: ${exports:-nothing}"
  fi

  "$quote_sim" --port 0 --step-ms 300 > "$work/app-sim.url" 2> "$work/app-sim.log" &
  pids+=($!)
  wait_for_line "$work/app-sim.url" 300
  app_sim_url=$(head -n1 "$work/app-sim.url" 2> /dev/null || true)
  if [[ $app_sim_url != http://127.0.0.1:* ]]; then
    fail "quote-sim for Tavrin.exe started"
    return
  fi

  # First run: nothing beside the program but what the dist folder holds.
  app_start
  app_window "first run"
  # The window may show before the data is provisioned.
  for _ in $(seq 300); do
    [ -f "$app_dir/Database.db" ] && [ -d "$app_dir/log" ] && break
    sleep 0.1
  done
  if [ -f "$app_dir/Database.db" ] && [ -d "$app_dir/log" ]; then
    pass "Tavrin.exe first run: Database.db and log folder beside Tavrin.exe"
  else
    fail "Tavrin.exe first run: Database.db $([ -f "$app_dir/Database.db" ] && echo present || echo missing)," \
      "log folder $([ -d "$app_dir/log" ] && echo present || echo missing)"
  fi
  # Wine paints a new window a moment after mapping it.
  sleep 3
  import -window root "$work/tavrin-win64-first-run.png" 2> /dev/null || true
  app_close "first run"

  # Second run: one stock in the list, monitoring switched on.
  local stock=贵州茅台
  python3 - "$app_dir/Database.db" "$stock" << 'EOF'
import sqlite3, sys
with sqlite3.connect(sys.argv[1]) as db:
    db.execute("INSERT INTO gupiao (mingcheng, daima, cjjg, cjsl) VALUES (?, '600519', '1700', '100')",
               (sys.argv[2],))
EOF
  app_start
  app_window "second run"
  local before
  before=$(sim_quote_requests)
  # 执行监控, at the top right of the window over the tab strip.
  timeout 30 wine "$probe" click "$app_title_hex" 410 10 > /dev/null 2>&1 || true
  local requests=$before
  for _ in $(seq 120); do
    requests=$(sim_quote_requests)
    [ "$requests" -gt "$before" ] && ini_is_gbk "$app_dir/gupiao.ini" "$stock" && break
    sleep 0.5
  done
  # The ticker bar asks for the indexes anyway; the alert state in gupiao.ini
  # comes from monitoring alone.
  if [ "$requests" -gt "$before" ]; then
    pass "Tavrin.exe monitoring: $((requests - before)) more quote requests at quote-sim"
  else
    fail "Tavrin.exe monitoring: no quote requests at quote-sim"
  fi
  if ini_is_gbk "$app_dir/gupiao.ini" "$stock"; then
    pass "Tavrin.exe monitoring: gupiao.ini written in GBK"
  else
    fail "Tavrin.exe monitoring: gupiao.ini $([ -f "$app_dir/gupiao.ini" ] && echo 'not GBK' || echo missing)"
  fi
  # Moves come every few ticks; the alert check logs the first one.
  for _ in $(seq 60); do
    log_has_alert_line "$app_dir/log" "$stock" && break
    sleep 0.5
  done
  if log_has_alert_line "$app_dir/log" "$stock"; then
    pass "Tavrin.exe monitoring: the alert check logged a move of $stock"
  else
    fail "Tavrin.exe monitoring: no alert line for $stock in the daily log"
  fi
  import -window root "$work/tavrin-win64.png" 2> /dev/null &&
    echo "screenshots: $work/tavrin-win64-first-run.png $work/tavrin-win64.png"
  app_close "second run"
}
