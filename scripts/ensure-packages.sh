#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages KestroLab needs to build, test and run, when any is missing.
# Installing needs root: run as root, or as a user sudo lets run apt-get.
# xvfb: xvfb-run runs the program on a machine without a display. appstream and
# desktop-file-utils: the tests check the AppStream data and the desktop entry with them.
# qt6-svg-dev: the printouts are also drawn as SVG pictures.
set -euo pipefail
needed=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev qt6-svg-dev libgl-dev
        fonts-dejavu-core nlohmann-json3-dev ngspice poppler-utils xvfb appstream desktop-file-utils
        locales "$@")
missing=()
for package in "${needed[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

# The tests check standard output and files in a decimal-comma locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "Generating the de_DE.UTF-8 locale"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd sed -i 's/^# *de_DE.UTF-8/de_DE.UTF-8/' /etc/locale.gen
  $sudo_cmd locale-gen >/dev/null
fi
