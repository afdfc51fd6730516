#!/usr/bin/env bash
# Installs the Debian packages the build, the program and its tests need,
# only those that are missing. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libwxgtk3.2-dev libwxgtk-webview3.2-dev libgtk-3-dev
  libcurl4-openssl-dev libjpeg62-turbo-dev
  libgtest-dev libcpp-httplib-dev
  xvfb xauth xdotool openbox xclip x11-utils imagemagick xdg-utils
  fonts-wqy-microhei
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$package")
done
((${#missing[@]} == 0)) && exit 0

echo "Installing: ${missing[*]}"
as_root=()
((EUID == 0)) || as_root=(sudo)
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
