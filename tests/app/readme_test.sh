#!/usr/bin/env bash
# Types the README's week into the program and checks that option 7 shows exactly the table
# the README prints, and that the week ends with the poll saved.
#   tests/app/readme_test.sh path/to/hoops-ranking path/to/README.md
set -euo pipefail
exe="$(realpath "$1")"
readme="$(realpath "$2")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$(dirname "$readme")"

# The lines of the fenced block that follows the marker line $1.
block() { awk -v marker="$1" '$0 == marker { found = 1; next }
  found && /^```/ { if (inside) exit; inside = 1; next } inside { print }' "$readme"; }

block "<!-- week-input -->" | sed "s|^/tmp/week13.txt\$|$work/week13.txt|" > "$work/input.txt"
printf 'x' >> "$work/input.txt"
block "<!-- week-table -->" > "$work/expected.txt"
"$exe" < "$work/input.txt" > "$work/output.txt"
# Option 7's table: from the header to the line before the next menu.
awk '/^Enter an option:      Team/ { sub(/^Enter an option: /, ""); on = 1 }
  on && /^$/ { exit } on { print }' "$work/output.txt" > "$work/table.txt"
diff -u "$work/expected.txt" "$work/table.txt"
grep -q "Saved file." "$work/output.txt"
head -1 "$work/week13.txt" | grep -qx "March 9 2025"
echo "README week passed"
