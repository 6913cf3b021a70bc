#!/usr/bin/env bash
# Builds the Windows tool chain when missing, cross-builds Tavrin (build.sh) and
# runs the result as Windows programs under Wine on a virtual X server: the test
# programs through CTest, then tavrin-quote.exe against the Linux quote
# simulator for a table of codes, compared with the Linux tavrin-quote.
#
#   scripts/windows/test.sh [BUILD_DIR]       (default build/windows)
#
# Ends non-zero on any failure; the last line reads "N passed, N failed".
# The Wine prefix lives in BUILD_DIR/wineprefix; the Linux tools it needs are
# built in BUILD_DIR-host.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$repo/build/windows}
mkdir -p "$build"
build=$(cd "$build" && pwd)
host_build=$build-host
cache=${TAVRIN_WIN_CACHE:-$HOME/.cache/tavrin/windows}
prefix=$cache/prefix
jobs=${TAVRIN_WIN_JOBS:-2}
work=$build/test-run
started=$SECONDS
passed=0
failed=0
known=0

log() { printf '[test %4ds] %s\n' $((SECONDS - started)) "$*"; }
pass() {
  passed=$((passed + 1))
  printf 'PASS %s\n' "$*"
}
fail() {
  failed=$((failed + 1))
  printf 'FAIL %s\n' "$*"
}
# A difference of Wine's that is understood and reported, not a failure.
known() {
  known=$((known + 1))
  printf 'KNOWN %s\n' "$*"
}
finish() {
  printf '%d passed, %d failed, %d known\n' "$passed" "$failed" "$known"
  [ "$failed" -eq 0 ] || exit 1
  exit 0
}

# Waits until FILE holds a whole first line (a writer may be half way through
# it), at most TENTHS tenths of a second. Generous: on a loaded machine a
# simulator or X server can take many seconds to come up.
wait_for_line() {
  local file=$1 tenths=${2:-300}
  for _ in $(seq "$tenths"); do
    [ -s "$file" ] && [ "$(head -c 4096 "$file" | tr -cd '\n' | wc -c)" -gt 0 ] && return 0
    sleep 0.1
  done
  return 1
}

# Processes this script starts, ended by id when it stops.
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill "$pid" 2> /dev/null || true
  done
  for pid in "${pids[@]}"; do
    wait "$pid" 2> /dev/null || true
  done
  # This prefix's own wineserver, with the Windows programs still in it.
  if [ -d "${WINEPREFIX:-}" ]; then
    wineserver -k 2> /dev/null || true
  fi
}
trap cleanup EXIT

for tool in wine wineserver wineboot Xvfb python3; do
  command -v "$tool" > /dev/null || {
    echo "test.sh: missing $tool (run scripts/deps.sh)" >&2
    fail "tools present"
    finish
  }
done

log "tool chain"
"$repo/scripts/windows/toolchain.sh" || {
  fail "tool chain"
  finish
}

log "Linux quote-sim and tavrin-quote in $host_build"
if ! { nice -n 10 cmake -S "$repo" -B "$host_build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DTAVRIN_BUILD_APP=OFF -DTAVRIN_BUILD_BENCH=OFF -DTAVRIN_BUILD_TESTS=OFF > "$build/host-tools.log" 2>&1 &&
  nice -n 10 cmake --build "$host_build" -j "$jobs" --target quote-sim tavrin-quote >> "$build/host-tools.log" 2>&1; }; then
  tail -n 30 "$build/host-tools.log" >&2
  fail "Linux build of the tools"
  finish
fi
quote_sim=$host_build/bin/quote-sim
linux_quote=$host_build/bin/tavrin-quote

# Windows paths on Wine's drive Z:, which maps the Linux root.
winpath() { printf 'Z:%s' "$1"; }

log "quote-sim bridge"
mkdir -p "$build/tools"
bridge=$build/tools/quote-sim-bridge.exe
x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -o "$bridge" "$repo/scripts/windows/quote_sim_bridge.c" -lws2_32 || {
  fail "bridge build"
  finish
}
probe=$build/tools/win-probe.exe
x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -o "$probe" "$repo/scripts/windows/win_probe.c" -ldwmapi || {
  fail "probe build"
  finish
}

log "cross build"
TAVRIN_QUOTE_SIM_PROGRAM=$(winpath "$bridge") "$repo/scripts/windows/build.sh" "$build" > "$build/build.log" 2>&1 || {
  tail -n 40 "$build/build.log"
  fail "cross build"
  finish
}
tail -n 1 "$build/build.log"

rm -rf "$work"
mkdir -p "$work"

# Before any Wine program: the prefix's desktop process keeps the display it starts with.
log "virtual X server"
exec 3> "$work/xvfb.display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
wait_for_line "$work/xvfb.display" || {
  fail "virtual X server"
  finish
}
DISPLAY=:$(head -n1 "$work/xvfb.display")
export DISPLAY

export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko installers: nothing here needs them, and they cannot be fetched.
export WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k 2> /dev/null || true # one left from before has another display
# ... and is gone before the first program starts a new one.
timeout 60 wineserver -w 2> /dev/null || true
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  log "new Wine prefix in $WINEPREFIX"
  nice -n 10 wineboot -i > "$work/wineboot.log" 2>&1 || {
    tail -n 20 "$work/wineboot.log" >&2
    fail "Wine prefix"
    finish
  }
  wineserver -w
fi

# Wine hands a Windows program no QT_* variable of the Linux side, so these
# come from the prefix's registry: the tests' platform, and Qt Test's output on
# stdout rather than the debugger channel (there is no console window).
# TAVRIN_EMULATED lets the tests that time passes against the tick leave that
# to the native runs: under Wine on a shared machine the pace is Wine's own.
for setting in QT_QPA_PLATFORM=offscreen QT_FORCE_STDERR_LOGGING=1 TAVRIN_EMULATED=1; do
  wine reg add 'HKCU\Environment' /v "${setting%%=*}" /d "${setting#*=}" /f > /dev/null 2>&1 || {
    fail "Wine prefix setting $setting"
    finish
  }
done

# Wine's own dialogs and tray balloons draw with Tahoma, which has no Chinese:
# linked to the system's Noto CJK face, as Windows links its CJK fonts.
for face in Tahoma "Microsoft Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2"; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
    /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK SC' /f > /dev/null 2>&1 || true
done

# Qt's and mingw's DLLs, from where they are, instead of copies beside each program.
runtime_dirs=("$prefix/bin")
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  runtime_dirs+=("$(dirname "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")")")
done
WINEPATH=
for d in "${runtime_dirs[@]}"; do
  [ -d "$d" ] || continue
  WINEPATH+="${WINEPATH:+;}$(winpath "$d")"
done
export WINEPATH

log "Qt check: the windows platform plugin, style and SQLite driver"
qt_check=$build/qt-check
if nice -n 10 "$prefix/bin/qt-cmake" -S "$repo/scripts/windows/qt-check" -B "$qt_check" -G Ninja \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$repo/cmake/windows/mingw64.cmake" > "$work/qt-check.log" 2>&1 &&
  nice -n 10 cmake --build "$qt_check" >> "$work/qt-check.log" 2>&1; then
  timeout 60 wine "$qt_check/qt-check.exe" -platform windows > "$work/qt-check.out" 2>&1 || true
  tr -d '\r' < "$work/qt-check.out" | sed -n 's/^info  /  /p'
  while read -r verdict what; do
    if [ "$verdict" = ok ]; then
      pass "qt-check $what"
    else
      fail "qt-check $what"
    fi
  done < <(tr -d '\r' < "$work/qt-check.out" | grep -E '^(ok|WRONG) ')
  grep -q -E '^(ok|WRONG) ' "$work/qt-check.out" || {
    cat "$work/qt-check.out"
    fail "qt-check ran"
  }
else
  tail -n 20 "$work/qt-check.log"
  fail "qt-check build"
fi

log "simulator launcher for the Windows tests"
python3 "$repo/scripts/windows/sim_launcher.py" "$quote_sim" "$work/launcher.port" > "$work/launcher.log" 2>&1 &
pids+=($!)
wait_for_line "$work/launcher.port" || {
  fail "simulator launcher"
  finish
}
TAVRIN_SIM_LAUNCHER_PORT=$(cat "$work/launcher.port")
export TAVRIN_SIM_LAUNCHER_PORT

log "test programs under Wine"
ctest_log=$work/ctest.log
(cd "$build" && nice -n 10 ctest -j "$jobs" --output-on-failure --timeout 300 > "$ctest_log" 2>&1) || true
while read -r name result; do
  if [ "$result" = Passed ]; then
    pass "$name"
  else
    fail "$name ($result)"
  fi
done < <(sed -n -E 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) \.+ *([^ ]+( [^ ]+)?) .*/\1 \2/p' "$ctest_log")
if ! grep -q -E '^ *[0-9]+/[0-9]+ Test ' "$ctest_log"; then
  tail -n 30 "$ctest_log"
  fail "ctest ran"
elif grep -q 'The following tests FAILED' "$ctest_log"; then
  sed -n '/The following tests FAILED/,$p' "$ctest_log"
  echo "(full output: $ctest_log)"
fi

log "tavrin-quote.exe against quote-sim, beside the Linux tavrin-quote"
# code, fault the simulator gives that code, expected exit status
quote_table=(
  "600519 none 0"
  "000002 none 0"
  "000630 none 0"
  "60051 none 1"
  "900901 none 1"
  "600000 empty 2"
  "600036 drop 2"
  "601318 oversized 2"
  "600900 bad-gbk 0"
  "601012 tilde-name 0"
  "600030 other-code 3"
  "600276 many-fields 4"
)
faults=()
for row in "${quote_table[@]}"; do
  read -r code mode _ <<< "$row"
  [ "$mode" = none ] || faults+=(--fault "$mode@$code")
done
# One price, no steps: both programs must see the same quote.
"$quote_sim" --port 0 --step-ms 0 "${faults[@]}" > "$work/sim.url" 2> "$work/sim.log" &
pids+=($!)
wait_for_line "$work/sim.url" || true
sim_url=$(head -n1 "$work/sim.url" 2> /dev/null || true)
if [[ $sim_url != http://127.0.0.1:* ]]; then
  fail "quote-sim started"
  finish
fi
windows_quote=$build/bin/tavrin-quote.exe
for row in "${quote_table[@]}"; do
  read -r code mode expected <<< "$row"
  linux_status=0
  windows_status=0
  TAVRIN_QUOTE_URL=$sim_url "$linux_quote" "$code" > "$work/linux.out" 2> /dev/null || linux_status=$?
  TAVRIN_QUOTE_URL=$sim_url timeout 60 wine "$windows_quote" "$code" > "$work/windows.raw" 2> /dev/null ||
    windows_status=$?
  tr -d '\r' < "$work/windows.raw" > "$work/windows.out"
  what="tavrin-quote $code ($mode): Linux $linux_status, Windows $windows_status, expected $expected"
  if [ "$linux_status" = "$expected" ] && [ "$windows_status" = "$expected" ] &&
    cmp -s "$work/linux.out" "$work/windows.out"; then
    pass "$what"
  else
    fail "$what"
    # Kept for a look afterwards.
    cp "$work/linux.out" "$work/quote-$code.linux"
    cp "$work/windows.raw" "$work/quote-$code.windows"
    diff "$work/linux.out" "$work/windows.out" | head -n 10 || true
  fi
done

log "Tavrin.exe from the dist folder"
# shellcheck source=scripts/windows/app_check.sh
source "$repo/scripts/windows/app_check.sh"
app_check

log "done in $((SECONDS - started)) s"
finish
