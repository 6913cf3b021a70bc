#!/usr/bin/env bash
# Photographs real effect frames under a virtual X server: lumeve-host runs the
# effect over its backdrop, switches to pass-through after 3 s and ends it after
# 5 s. Each shot also names the window that takes the mouse at the screen's
# middle (the effect window before the switch, the host's window after it).
#   tests/petals/frame_shot.sh BUILD/bin [OUT_DIR]
# writes OUT_DIR/snapshot-mode.png and OUT_DIR/pass-through.png.
set -euo pipefail
bin=$(cd "${1:?usage: frame_shot.sh BUILD/bin [OUT_DIR]}" && pwd)
out=$(mkdir -p "${2:-.}" && cd "${2:-.}" && pwd)
xvfb-run -a -s "-screen 0 1280x720x24" bash -c '
  under_mouse() {
    command -v xdotool >/dev/null || return 0
    eval "$(xdotool mousemove 640 300 getmouselocation --shell)"
    echo "$1: the mouse at 640, 300 is over \"$(xdotool getwindowname "$WINDOW")\"," \
      "depth $(xwininfo -id "$(xdotool search --name "^Lumeve$" | head -1)" | sed -n "s/.*Depth: //p")"
  }
  "$0/lumeve-host" --pass-through-after 3000 --end-after 5000 &
  host=$!
  sleep 2.5
  import -window root "$1/snapshot-mode.png"
  under_mouse "snapshot mode"
  sleep 1.5
  import -window root "$1/pass-through.png"
  under_mouse "pass-through mode"
  wait "$host"
' "$bin" "$out"
