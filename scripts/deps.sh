#!/usr/bin/env bash
# Installs every Debian package Tavrin needs to build, run and test.
# Quick when everything is already there: apt is only called for what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-multimedia-dev
  libcurl4-openssl-dev libsqlite3-dev libpng-dev zlib1g-dev libx11-dev
  libcpp-httplib-dev libssl-dev libbrotli-dev
  qt6-translations-l10n
  qt6-webengine-dev
  desktop-file-utils
  fonts-noto-cjk xvfb xauth x11-utils imagemagick sqlite3 trayer openbox xdotool pulseaudio pulseaudio-utils
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64 dpkg-dev patch tcl python3 unzip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
