#!/usr/bin/env bash
# Builds the libFuzzer targets with clang++ (the sanitize preset, which builds the tests beside
# them) and runs each for the given number of seconds (default 60), two at a time, starting from
# the committed seed corpus. New corpus entries and any crash inputs go to fuzz-out/, never into
# the committed corpus.
#   fuzz/run.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(poll_reader_fuzzer number_prompt_fuzzer date_fuzzer save_load_fuzzer
  ballot_reader_fuzzer)

[ -f build-sanitize/CMakeCache.txt ] || cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j 2 --target "${targets[@]}"

# Runs one target in its own directory, so nothing is written beside the sources.
fuzz() {
  local target="$1" out="fuzz-out/$1"
  mkdir -p "$out/corpus" "$out/crashes"
  (cd "$out" && "../../build-sanitize/fuzz/$target" -max_total_time="$seconds" \
    -print_final_stats=1 -artifact_prefix=crashes/ corpus "../../fuzz/corpus/$target" \
    2>log.txt)
}

# Two at a time, one a core; each pair's outcomes are told in order.
failed=0
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  pair=("${targets[@]:i:2}")
  pids=()
  for target in "${pair[@]}"; do
    echo "--- $target for ${seconds}s"
    fuzz "$target" &
    pids+=($!)
  done
  for j in "${!pair[@]}"; do
    target="${pair[$j]}"
    if wait "${pids[$j]}"; then
      grep -E "^stat::number_of_executed_units" "fuzz-out/$target/log.txt" | sed "s/^/$target: /"
    else
      tail -40 "fuzz-out/$target/log.txt"
      echo "$target: FAILED (inputs in fuzz-out/$target/crashes)"
      failed=1
    fi
  done
done
exit "$failed"
