#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check_desktop_files.sh TOOL FILE: validates the desktop entry (desktop-file-validate) or the
# AppStream data (appstreamcli validate, offline). Exits 77 (skipped) when the tool is missing.
set -uo pipefail
tool=$1 file=$2
if ! command -v "$tool" >/dev/null; then
  echo "$tool is not installed (install desktop-file-utils / appstream): $file is not checked"
  exit 77
fi
case $tool in
  desktop-file-validate) output=$(desktop-file-validate "$file" 2>&1) ;;
  appstreamcli) output=$(appstreamcli validate --no-net --explain "$file" 2>&1) ;;
esac
status=$?
echo "$output"
# desktop-file-validate reports hints with status 0: a clean file prints nothing.
[ $status -eq 0 ] && { [ "$tool" != desktop-file-validate ] || [ -z "$output" ]; }
