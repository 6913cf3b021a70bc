#!/bin/sh
# Runs a cross-built Windows test program under Wine on a virtual X server of its own.
# usage: run_under_wine.sh WINE_LOADER WINESERVER PREFIX LOCALE PROGRAM
# The locale picks Wine's ANSI code page (zh_CN: 936, en_US: 1252).
set -eu
loader=$1
server=$2
export WINEPREFIX="$3"
export LC_ALL="$4"
program=$5

export WINELOADER="$loader" WINESERVER="$server" WINEDEBUG=-all
# No Mono or Gecko installer prompts on the first start of the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"

# Wine's own processes end before the X server does, and none outlives the test.
exec xvfb-run -a sh -c '"$1" "$3"; status=$?; "$2" -k; exit $status' sh "$loader" "$server" "$program"
