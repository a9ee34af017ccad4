#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
#
# Installs the Debian 12 packages a purpose needs, only those missing; uses
# sudo when not run as root. Each make target asks for its own purposes:
#
#   install-deps.sh run           build and start the editor and the tool
#   install-deps.sh test          build and run every test (sanitizers, Xvfb,
#                                 the Windows-only code through mingw-w64 and Wine,
#                                 the fuzz target through clang)
#   install-deps.sh bench         the benchmarks
#   install-deps.sh windows       Qt for Windows, both .exe files, zip and installer,
#                                 and their tests under Wine
#   install-deps.sh package       the Debian package and its checks
#   install-deps.sh package-test  installing that package in a fresh Debian root
#   install-deps.sh sarif         npm, where it is missing, for the SARIF schema the tests fetch
#   install-deps.sh screenshots   the pictures in docs/
set -eu

packages=""
for purpose in "$@"; do
  case "$purpose" in
  run) packages="$packages build-essential cmake qt6-base-dev qt6-svg-dev qt6-translations-l10n libx11-dev libattr1-dev
         libyaml-cpp-dev fonts-liberation2" ;;
  test) packages="$packages build-essential cmake qt6-base-dev qt6-svg-dev qt6-translations-l10n libx11-dev libattr1-dev
         libyaml-cpp-dev libacl1-dev fonts-liberation2 xvfb xauth clang libclang-rt-14-dev g++-mingw-w64-x86-64-posix wine64
         qt6-gtk-platformtheme openbox wmctrl xdotool python3-jsonschema clang-format git" ;;
  sarif) packages="$packages npm" ;;
  bench) packages="$packages build-essential cmake qt6-base-dev libattr1-dev libyaml-cpp-dev libbenchmark-dev" ;;
  windows) packages="$packages build-essential cmake qt6-base-dev qt6-svg-dev qt6-base-dev-tools
         libx11-dev libattr1-dev libyaml-cpp-dev fonts-liberation2 g++-mingw-w64-x86-64-posix wine64 ninja-build xz-utils nsis git
         xvfb xauth xdotool imagemagick poppler-utils" ;;
  package) packages="$packages build-essential cmake qt6-base-dev qt6-svg-dev qt6-translations-l10n libx11-dev libattr1-dev
         libyaml-cpp-dev fonts-liberation2 lintian appstream desktop-file-utils reuse" ;;
  package-test) packages="$packages debootstrap" ;;
  screenshots) packages="$packages xvfb xauth xdotool imagemagick x11-xserver-utils" ;;
  *)
    echo "install-deps.sh: propósito desconocido: $purpose (run, test, bench, windows, package, package-test, sarif, screenshots)" >&2
    exit 2
    ;;
  esac
done

missing=""
for package in $packages; do
  case " $missing " in *" $package "*) continue ;; esac
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Instalando:$missing"
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
