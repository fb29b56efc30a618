#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every fuzzer built in build-fuzz/ for SECONDS seconds (default 60),
# JOBS at a time (default 1). Each starts from the seeds in fuzz/corpus/NAME
# (read only) and keeps what it finds in build-fuzz/corpus/NAME; a crash or
# a hang (one input running over 10 s) is written to build-fuzz/artifacts/
# and makes the script fail.
set -eu
seconds=${1:-60}
jobs=${2:-1}
cd "$(dirname "$0")/.."
mkdir -p build-fuzz/artifacts build-fuzz/logs

run() {
  fuzzer=$1
  name=$(basename "$fuzzer" _fuzzer)
  mkdir -p "build-fuzz/corpus/$name"
  if "$fuzzer" "build-fuzz/corpus/$name" "fuzz/corpus/$name" \
      -max_total_time="$seconds" -timeout=10 -max_len=20000 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/artifacts/$name-" > "build-fuzz/logs/$name.log" 2>&1; then
    echo "$name: $(grep -E 'DONE' "build-fuzz/logs/$name.log" | tail -1)"
  else
    echo "$name: FAILED, see build-fuzz/logs/$name.log and build-fuzz/artifacts/"
    tail -30 "build-fuzz/logs/$name.log"
    return 1
  fi
}

status=0
running=0
pids=""
for fuzzer in build-fuzz/*_fuzzer; do
  run "$fuzzer" &
  pids="$pids $!"
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    for pid in $pids; do wait "$pid" || status=1; done
    pids=""
    running=0
  fi
done
for pid in $pids; do wait "$pid" || status=1; done
exit $status
