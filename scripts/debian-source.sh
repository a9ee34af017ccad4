#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Downloads the Debian source package PACKAGE (its .dsc and archives, as
# the system's own Debian release serves them) into DIR, through a private
# apt set-up in DIR/apt, so that the system's configuration stays untouched.
#   debian-source.sh PACKAGE DIR
set -eu
package=$1
dir=$2
apt_dir="$dir/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$apt_dir/sources.sources"
apt_options="-o Dir::Etc::SourceList=$apt_dir/sources.sources -o Dir::Etc::SourceParts=/dev/null
  -o Dir::State::Lists=$apt_dir/lists -o Dir::Cache=$apt_dir/cache -o APT::Sandbox::User=root"
cd "$dir"
# shellcheck disable=SC2086
apt-get $apt_options update -qq
# shellcheck disable=SC2086
apt-get $apt_options source --download-only "$package" >/dev/null
