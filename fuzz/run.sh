#!/usr/bin/env bash
# Builds the libFuzzer targets with clang++ and runs each for the given number of seconds
# (default 60), starting from the committed seed corpus. New corpus entries and any crash
# inputs go to fuzz-out/, never into the committed corpus.
#   fuzz/run.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(poll_reader_fuzzer number_prompt_fuzzer date_fuzzer save_load_fuzzer
  ballot_reader_fuzzer)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2 --target "${targets[@]}"

for target in "${targets[@]}"; do
  out="fuzz-out/$target"
  mkdir -p "$out/corpus" "$out/crashes"
  echo "--- $target for ${seconds}s"
  # Runs in its own directory, so nothing is written beside the sources.
  (cd "$out" && "../../build-fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=crashes/ corpus "../../fuzz/corpus/$target" 2>log.txt) || {
    tail -40 "$out/log.txt"
    echo "$target: FAILED (inputs in $out/crashes)"
    exit 1
  }
  grep -E "^stat::number_of_executed_units" "$out/log.txt" | sed "s/^/$target: /"
done
