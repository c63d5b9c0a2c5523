#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: linked_libraries_check.sh CLI WINDOW
# The command line runs where the widget and print-support libraries are not installed; the
# window program loads both, which shows that the check sees them at all.
if ! command -v ldd >/dev/null 2>&1; then
  echo "ldd is not installed: the loaded libraries are not checked"
  exit 77
fi
status=0
for library in libQt6Widgets libQt6PrintSupport; do
  if ldd "$1" | grep -q "$library\.so"; then
    echo "$1 loads $library"
    status=1
  fi
  if ! ldd "$2" | grep -q "$library\.so"; then
    echo "$2 does not load $library: the check reads no libraries"
    status=1
  fi
done
exit $status
