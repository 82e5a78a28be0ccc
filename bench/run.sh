#!/usr/bin/env bash
# Times a whole load, save and exit of hoops-ranking against GNU sort on the same poll files
# of 1,000 to 1,000,000 teams: median of 5 runs each, with peak resident memory.
#   bench/run.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-5}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j --target hoops-ranking generate_poll >/dev/null
exe="$PWD/build/hoops-ranking"
out="$PWD/bench-out"
mkdir -p "$out"
tab="$(printf '\t')"

# Runs a command under /usr/bin/time -v; prints "seconds kilobytes". The seconds are taken
# with the shell's microsecond clock, finer than time's own.
measure() {
  local start=$EPOCHREALTIME
  /usr/bin/time -v "$@" 2>"$out/time.txt" >/dev/null
  local end=$EPOCHREALTIME
  awk -v start="$start" -v end="$end" -F': ' '/Maximum resident set size/ { kb = $2 }
       END { printf "%.6f %d\n", end - start, kb }' "$out/time.txt"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%10s %10s %10s %8s %12s %10s %14s\n' N program_s sort_s ratio program_MiB sort_MiB bytes_per_team
for n in 1000 10000 100000 1000000; do
  file="$out/poll-$n.txt"
  [ -s "$file" ] || build/bench/generate_poll "$n" 42 > "$file"
  printf '\n1\n%s\n2\n%s\n9\n\n' "$file" "$out/saved-$n.txt" > "$out/script-$n.txt"
  : > "$out/program.txt"; : > "$out/sort.txt"
  for _ in $(seq "$runs"); do
    measure sh -c "exec '$exe' < '$out/script-$n.txt'" >> "$out/program.txt"
    measure env LC_ALL=C sort -t "$tab" -k4,4nr -s "$file" -o "$out/sorted-$n.txt" >> "$out/sort.txt"
  done
  grep -q . "$out/saved-$n.txt"
  p_s=$(cut -d' ' -f1 "$out/program.txt" | median); p_kb=$(cut -d' ' -f2 "$out/program.txt" | median)
  s_s=$(cut -d' ' -f1 "$out/sort.txt" | median); s_kb=$(cut -d' ' -f2 "$out/sort.txt" | median)
  awk -v n="$n" -v ps="$p_s" -v ss="$s_s" -v pk="$p_kb" -v sk="$s_kb" 'BEGIN {
    printf "%10d %10.3f %10.3f %8.2f %12.1f %10.1f %14.0f\n", n, ps, ss, (ss > 0 ? ps / ss : 0),
           pk / 1024, sk / 1024, pk * 1024 / n }'
done

# The whole table of the million-team poll, written to /dev/null.
printf '\n1\n%s\n8\n9\n\n' "$out/poll-1000000.txt" > "$out/script-display.txt"
: > "$out/display.txt"
for _ in $(seq "$runs"); do
  measure sh -c "exec '$exe' < '$out/script-display.txt'" >> "$out/display.txt"
done
echo
echo "load, option 8 and exit on 1,000,000 teams, output to /dev/null:" \
  "$(cut -d' ' -f1 "$out/display.txt" | median) s (median of $runs)"
