#!/bin/sh
# Installs the Debian 12 packages the editor, its tests and its tools need,
# only those missing. Uses sudo when not run as root.
set -eu

packages="build-essential cmake pkg-config qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n libx11-dev
  fonts-liberation2 libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick x11-xserver-utils
  g++-mingw-w64-x86-64-posix wine64 qt6-base-dev-tools ninja-build xz-utils nsis
  lintian appstream debootstrap libxml2-utils"

missing=""
for package in $packages; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Instalando:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
