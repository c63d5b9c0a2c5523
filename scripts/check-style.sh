#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Style checks: clang-format over every C++ file of the tree, then clang-tidy (the checks in
# .clang-tidy) over src/, reading the compile database of a configured build.
# Usage: scripts/check-style.sh [--format-only] [BUILD_DIR]
#   BUILD_DIR: the build whose compile database clang-tidy reads (default: build, configured
#   here if it has none). --format-only skips clang-tidy.
# Exits non-zero when a file is not formatted or clang-tidy has a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
format_only=0
if [ "${1:-}" = "--format-only" ]; then
  format_only=1
  shift
fi
build=${1:-build}
format_status=0
tidy_status=0

echo "== clang-format =="
SECONDS=0
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror || format_status=1
echo "clang-format: ${SECONDS} s"
[ $format_only -eq 1 ] && exit $format_status

echo "== clang-tidy =="
if [ ! -f "$build/compile_commands.json" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKESTRO_BUILD_BENCH=OFF >/dev/null
fi
# Clang does not know GCC's -Wno-restrict, and -Werror would make that an error in every file:
# clang-tidy reads a copy of the database without it.
tidy_db="$build/clang-tidy"
mkdir -p "$tidy_db"
sed 's/ -Wno-restrict\b//g' "$build/compile_commands.json" >"$tidy_db/compile_commands.json"
log="$tidy_db/findings.log"
SECONDS=0
# Compiler warnings are GCC's to judge (-Werror in the build); -w keeps clang's own warning set,
# whose -Wconversion also reports sign conversions GCC does not, out of the tidy findings.
run-clang-tidy -quiet -p "$tidy_db" -j "$(nproc)" -extra-arg=-w -header-filter="^$root/src/" "^$root/src/" \
  >"$log" 2>&1 || tidy_status=1
# run-clang-tidy always colours its output; the summary reads it without the colour codes.
sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '(warning|error): .* \[[^]]+\]$' | sort -u \
  | tee "$tidy_db/findings.txt" || true
echo "clang-tidy: ${SECONDS} s; findings per check (each place counted once):"
grep -oE '\[[a-z0-9.-]+' "$tidy_db/findings.txt" | tr -d '[' | sort | uniq -c | sort -rn || true
if [ $tidy_status -ne 0 ] && [ ! -s "$tidy_db/findings.txt" ]; then
  tail -n 20 "$log"  # clang-tidy failed without a finding: show why
fi
[ $format_status -eq 0 ] && [ $tidy_status -eq 0 ]
