#!/usr/bin/env bash
# Times hoops-ranking --tally on a large fan poll (200,000 ballots of 25 by default, about 53
# MB of CSV) against a one-line mawk tally of the same file, the runs interleaved; prints the
# median wall time of each and the median of the pairs' ratios (a shared machine's speed
# drifts between runs, so each run is set against its neighbour).
#   bench/tally.sh [runs] [voters]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-9}"
voters="${2:-200000}"
command -v mawk >/dev/null || { echo "bench/tally.sh needs mawk"; exit 1; }
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DHOOPS_BUILD_TESTS=OFF \
  -DHOOPS_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build-bench -j 2 --target hoops-ranking generate_ballots >/dev/null
out="${BENCH_DIR:-$PWD/bench-out}"
mkdir -p "$out"
ballots="$out/ballots-$voters.csv"
[ -s "$ballots" ] || build-bench/bench/generate_ballots "$out/last.txt" "$voters" > "$ballots"
echo "$(wc -c < "$ballots") bytes, $voters ballots"

seconds() {
  local start=$EPOCHREALTIME
  "$@" > /dev/null 2>&1
  awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { printf "%.4f\n", end - start }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
: > "$out/tally.txt"
: > "$out/mawk.txt"
for _ in $(seq "$runs"); do
  seconds build-bench/hoops-ranking --tally "$out/last.txt" "$ballots" >> "$out/tally.txt"
  seconds mawk -F, '{for(i=2;i<=NF;i++)p[$i]+=27-i}' "$ballots" >> "$out/mawk.txt"
done
tally=$(median < "$out/tally.txt")
mawk=$(median < "$out/mawk.txt")
ratio=$(paste -d' ' "$out/tally.txt" "$out/mawk.txt" | awk '{ printf "%.3f\n", $1 / $2 }' | median)
echo "tally ${tally} s, mawk ${mawk} s (medians); tally/mawk ${ratio} (median of the pairs)"
