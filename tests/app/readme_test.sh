#!/usr/bin/env bash
# Types the README's week into the program and checks what the README claims of it: the title
# screen and the menu as shown, option 7's table exactly, and the saved poll byte for byte the
# same as examples/week13.txt; then runs its --check example and compares what it prints.
#   tests/app/readme_test.sh path/to/hoops-ranking path/to/README.md [runner]
# A runner (such as wine64 for a Windows build) runs the program when given.
set -euo pipefail
exe="$(realpath "$1")"
readme="$(realpath "$2")"
runner=("${@:3}")
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$(dirname "$readme")"

# The lines of the fenced block that follows the marker line $1.
block() { awk -v marker="$1" '$0 == marker { found = 1; next }
  found && /^```/ { if (inside) exit; inside = 1; next } inside { print }' "$readme"; }

block "<!-- week-input -->" | sed "s|^/tmp/week13.txt\$|$work/week13.txt|" > "$work/input.txt"
printf 'x' >> "$work/input.txt"
# (The runner's words are spelled out this way so that bash 3.2 takes an empty runner too.)
${runner[@]+"${runner[@]}"} "$exe" < "$work/input.txt" > "$work/output.txt"

# The title screen and the menu stand in the output as the README shows them.
output="$(cat "$work/output.txt")"
for marker in "<!-- title-screen -->" "<!-- menu -->"; do
  shown="$(block "$marker")"
  [[ "$output" == *"$shown"* ]] ||
    { echo "the README's $marker block is not what the program shows"; exit 1; }
done
# Option 7's table: from the header to the line before the next menu.
block "<!-- week-table -->" > "$work/expected.txt"
awk '/^Enter an option:      Team/ { sub(/^Enter an option: /, ""); on = 1 }
  on && /^$/ { exit } on { print }' "$work/output.txt" > "$work/table.txt"
diff -u "$work/expected.txt" "$work/table.txt"
grep -q "Saved file." "$work/output.txt"
cmp "$work/week13.txt" examples/week13.txt

# The --check example: the command as shown, run here, prints the lines shown.
block "<!-- check-example -->" > "$work/check.txt"
command="$(head -1 "$work/check.txt")"
read -r -a words <<< "${command#\$ hoops-ranking }"
tail -n +2 "$work/check.txt" > "$work/check-expected.txt"
status=0
${runner[@]+"${runner[@]}"} "$exe" "${words[@]}" > "$work/check-output.txt" || status=$?
[ "$status" -eq 1 ] || { echo "--check gave status $status, not 1"; exit 1; }
diff -u "$work/check-expected.txt" "$work/check-output.txt"

# The tally example: its command, with the week saved in the work folder, prints what is shown,
# and the menu loads what it saved.
block "<!-- tally-example -->" > "$work/tally.txt"
command="$(head -1 "$work/tally.txt")"
command="${command#\$ hoops-ranking }"
eval "words=(${command% --output *})"
tail -n +2 "$work/tally.txt" | sed "s|saved to week13.txt|saved to $work/tallied.txt|" \
  > "$work/tally-expected.txt"
${runner[@]+"${runner[@]}"} "$exe" "${words[@]}" --output "$work/tallied.txt" \
  > "$work/tally-output.txt"
diff -u "$work/tally-expected.txt" "$work/tally-output.txt"
# (Into a file: grep -q would leave before the program ends, and its write would fail.)
printf '\n1\n%s\n9\nx' "$work/tallied.txt" | ${runner[@]+"${runner[@]}"} "$exe" \
  > "$work/next-week.txt"
grep -q "Loaded file." "$work/next-week.txt"
echo "README week passed"
