#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes every file reader with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer:
#   scripts/fuzz.sh [RUNS [READER...]]    (RUNS inputs per reader, 10 million by default; all
#                                          four readers unless some are named)
# Builds tests/fuzz with clang into build-fuzz/, starts each reader from its committed corpus and
# prints one line per reader: "READER: N execs, X exec/s, F findings". Inputs that broke a reader
# are kept in build-fuzz/findings/READER/. Exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10000000}"
shift || true
readers=("$@")
[ ${#readers[@]} -eq 0 ] && readers=(numbers session overlay waveform)
root="$PWD"
build="$root/build-fuzz"

cmake -S tests/fuzz -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

failed=0
for reader in "${readers[@]}"; do
  if [ ! -d "tests/fuzz/corpus/$reader" ]; then
    echo "fuzz.sh: no reader '$reader' (numbers, session, overlay, waveform)" >&2
    exit 2
  fi
  work="$build/work/$reader"
  findings="$build/findings/$reader"
  log="$build/$reader.log"
  rm -rf "$work" "$findings"
  mkdir -p "$work" "$findings"
  status=0
  start=$(date +%s%N)
  "$build/fuzz_$reader" -runs="$runs" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" "tests/fuzz/corpus/$reader" >"$log" 2>&1 || status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  # libFuzzer's own rate counts whole seconds and says 0 for a run under one: time it here.
  elapsed=$(($(date +%s%N) - start))
  rate=$(((${execs:-0} * 1000000000) / (elapsed > 0 ? elapsed : 1)))
  found=$(find "$findings" -type f | wc -l)
  if [ "$status" -ne 0 ] && [ "$found" -eq 0 ]; then
    found=1  # stopped without saving an input: see the log
  fi
  echo "${reader^^}: ${execs:-0} execs, $rate exec/s, $found findings"
  if [ "$found" -ne 0 ]; then
    echo "  see $log and $findings/" >&2
    failed=1
  fi
done
exit "$failed"
