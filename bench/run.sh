#!/usr/bin/env bash
# Times a whole load, rank, save and exit of hoops-ranking against GNU sort on the same poll
# files of 300 to 1,000,000 teams. The runs of the program and of sort (with its default
# threads, and with --parallel=1) are interleaved, and each figure is the median of the runs:
# wall time, peak resident memory and, for the program, minor page faults. Last, the peak
# memory of 20 loads of the largest file in one run against one load.
#   bench/run.sh [runs] [sizes...]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-7}"
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(300 10000 100000 1000000)
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DHOOPS_BUILD_TESTS=OFF \
  -DHOOPS_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build-bench -j --target hoops-ranking generate_poll phases >/dev/null
exe="$PWD/build-bench/hoops-ranking"
# Where the poll files go: bench-out/, or BENCH_DIR (a tmpfs such as /dev/shm takes the
# disk, and the sync every save makes, out of the comparison).
out="${BENCH_DIR:-$PWD/bench-out}"
mkdir -p "$out"
tab="$(printf '\t')"

# Runs a command; prints "seconds kilobytes faults". Seconds come from the shell's
# microsecond clock, memory and faults from /usr/bin/time.
measure() {
  local start=$EPOCHREALTIME
  /usr/bin/time -f '%M %R' -o "$out/time.txt" "$@" >/dev/null
  local end=$EPOCHREALTIME
  awk -v start="$start" -v end="$end" '{ printf "%.6f %d %d\n", end - start, $1, $2 }' \
    "$out/time.txt"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
column() { cut -d' ' -f"$2" "$1" | median; }

printf '%9s %9s %9s %9s %7s %7s %9s %9s %9s %8s\n' teams prog_s sort_s sort1_s ratio ratio1 \
  prog_MiB sort_MiB mem_ratio faults
for n in "${sizes[@]}"; do
  file="$out/poll-$n.txt"
  [ -s "$file" ] || build-bench/bench/generate_poll "$n" 42 > "$file"
  printf '\n1\n%s\n2\n%s\n9\n\n' "$file" "$out/saved-$n.txt" > "$out/script-$n.txt"
  : > "$out/program.txt"; : > "$out/sort.txt"; : > "$out/sort1.txt"
  for _ in $(seq "$runs"); do
    measure sh -c "exec '$exe' < '$out/script-$n.txt'" >> "$out/program.txt"
    measure env LC_ALL=C sort -t "$tab" -k4,4nr -s "$file" -o "$out/sorted-$n.txt" >> "$out/sort.txt"
    measure env LC_ALL=C sort --parallel=1 -t "$tab" -k4,4nr -s "$file" \
      -o "$out/sorted-$n.txt" >> "$out/sort1.txt"
  done
  grep -q . "$out/saved-$n.txt"
  awk -v n="$n" -v ps="$(column "$out/program.txt" 1)" -v ss="$(column "$out/sort.txt" 1)" \
      -v s1="$(column "$out/sort1.txt" 1)" -v pk="$(column "$out/program.txt" 2)" \
      -v sk="$(column "$out/sort.txt" 2)" -v pf="$(column "$out/program.txt" 3)" 'BEGIN {
    printf "%9d %9.3f %9.3f %9.3f %7.2f %7.2f %9.1f %9.1f %9.2f %8d\n", n, ps, ss, s1,
           ps / ss, ps / s1, pk / 1024, sk / 1024, pk / sk, pf }'
done

# Each load builds the new poll beside the old one and then lets the old one go whole.
n="${sizes[-1]}"
loads=$(printf '1\n%s\n' "$out/poll-$n.txt")
printf '\n%s\n9\n\n' "$(for _ in $(seq 20); do printf '%s\n' "$loads"; done)" > "$out/loads-$n.txt"
one=$(measure sh -c "exec '$exe' < '$out/script-$n.txt'" | cut -d' ' -f2)
twenty=$(measure sh -c "exec '$exe' < '$out/loads-$n.txt'" | cut -d' ' -f2)
awk -v n="$n" -v one="$one" -v twenty="$twenty" 'BEGIN {
  printf "\n%d teams loaded 20 times: %.1f MiB at peak, %.2fx one load (%.1f MiB)\n", n,
         twenty / 1024, twenty / one, one / 1024 }'
