#!/usr/bin/env bash
# Photographs real effect frames under a virtual X server. lumeve-host runs the
# effect over its backdrop, switches it to pass-through after 3 s and ends it
# after 6 s; with trayer installed a notification area sits at the bottom right
# and a click on the effect's tray icon opens the effect menu.
#   tests/petals/frame_shot.sh BUILD/bin [OUT_DIR]
# writes OUT_DIR/snapshot-mode.png, OUT_DIR/pass-through.png and, with trayer,
# OUT_DIR/tray-menu.png, and names the window that takes the mouse at the
# screen's middle: the effect window before the switch, the host's after it.
set -euo pipefail
bin=$(cd "${1:?usage: frame_shot.sh BUILD/bin [OUT_DIR]}" && pwd)
out=$(mkdir -p "${2:-.}" && cd "${2:-.}" && pwd)
xvfb-run -a -s "-screen 0 1280x720x24" bash -c '
  under_mouse() {
    command -v xdotool >/dev/null || return 0
    eval "$(xdotool mousemove 640 300 getmouselocation --shell)"
    echo "$1: the mouse at 640, 300 is over \"$(xdotool getwindowname "$WINDOW")\"," \
      "the effect window has depth $(xwininfo -id "$(xdotool search --name "^Lumeve$" | head -1)" |
        sed -n "s/.*Depth: //p")"
  }
  "$0/lumeve-host" --pass-through-after 3000 --end-after 6000 &
  host=$!
  tray=
  if command -v trayer >/dev/null; then
    sleep 0.15 # above the host backdrop, below the effect window
    trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel --height 24 \
      --transparent false --tint 0x303030 &
    tray=$!
  fi
  sleep 2.5
  import -window root "$1/snapshot-mode.png"
  under_mouse "snapshot mode"
  sleep 1.5
  import -window root "$1/pass-through.png"
  under_mouse "pass-through mode"
  if [ -n "$tray" ] && command -v xdotool >/dev/null; then
    xdotool mousemove 1268 708 click 1
    sleep 0.5
    import -window root "$1/tray-menu.png"
  fi
  wait "$host"
  [ -z "$tray" ] || kill "$tray"
' "$bin" "$out"
