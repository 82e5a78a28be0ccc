#!/usr/bin/env bash
# Runs one scripted week (title, load, add, edit, remove, both displays, save, exit) under
# valgrind memcheck: any memory error or definite or indirect leak fails.
#   tests/app/memcheck.sh path/to/hoops-ranking
set -euo pipefail
exe="$(realpath "$1")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
printf 'March 28 2010\n1\tExample Tech\t25-3\t875\t-\n2\tNorth State\t20-8\t700\t5\n3\tLake College\t18-10\t700\t2\n' > last.txt
printf '\n1\nlast.txt\n3\nRiver A&M\n19\n9\n650\n4\n2\n21\n8\n900\n5\n4\n7\n8\n2\nnew.txt\n1\nmissing.txt\n9\n\n' > week.txt
valgrind --quiet --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect \
  "$exe" < week.txt > output.txt 2> errors.txt || { cat errors.txt; exit 1; }
grep -q "Saved file." output.txt
grep -q "cannot open 'missing.txt'" errors.txt
echo "memcheck passed"
