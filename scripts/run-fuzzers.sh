#!/usr/bin/env bash
# Runs every built fuzz harness in turn for the given number of seconds.
# Usage: run-fuzzers.sh FUZZ_BUILD_DIR SECONDS [smoke]
# Each harness grows its own corpus in FUZZ_BUILD_DIR/fuzz-corpus/<harness>, seeded from
# fuzz/corpus/<harness>; a finding stops the run and is kept in FUZZ_BUILD_DIR/fuzz-findings/.
# With "smoke" the grown corpus starts empty each time, so only the seeds carry over.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$1
seconds=$2
mode=${3:-}

findings="$build_dir/fuzz-findings"
mkdir -p "$findings"
failed=0
for harness in "$build_dir"/fuzz/*_fuzzer; do
  name=$(basename "$harness")
  corpus="$build_dir/fuzz-corpus/$name"
  [ "$mode" = smoke ] && rm -rf "$corpus"
  mkdir -p "$corpus"
  log="$build_dir/fuzz-$name.log"
  if "$harness" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/$name-" \
       "$corpus" "fuzz/corpus/$name" >"$log" 2>&1; then
    echo "$name: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 | sed -E 's/^#[0-9]+[[:space:]]+DONE[[:space:]]+//')"
  else
    echo "$name: FAILED, see $log"
    tail -n 30 "$log"
    failed=1
  fi
done
exit $failed
