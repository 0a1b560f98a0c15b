#!/usr/bin/env bash
# Installs every Debian package Tarnwick needs to build, run and test.
# This script owns the package list; nothing else installs packages.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-declarative-dev qt6-websockets-dev qt6-httpserver-dev qcoro-qt6-dev
  qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-templates
  qml6-module-qtquick-layouts qml6-module-qtquick-dialogs qml6-module-qt-labs-folderlistmodel
  qml6-module-qtquick-window qml6-module-qtqml-workerscript qml6-module-qttest
  libqt6svg6 qml6-module-qt5compat-graphicaleffects
  fonts-noto-color-emoji fonts-material-design-icons-iconfont xvfb xauth chromium
  libbenchmark-dev python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
