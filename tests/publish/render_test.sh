#!/usr/bin/env bash
# Publishes the examples' season and reads it back as its readers' tools would: the HTML page
# rendered by a real browser (headless Chromium) shows the table's rows and the chart's lines
# and refers to nothing outside itself; the JSON parses; the CSV reads back as RFC 4180.
#   tests/publish/render_test.sh path/to/hoops-ranking [screenshot.png]
set -euo pipefail
exe="$(realpath "$1")"
shot="${2:-}"
cd "$(dirname "$0")/../.."
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
season=(examples/week10.txt examples/week11.txt examples/week12.txt examples/week13.txt)
for format in html json csv; do
  "$exe" --publish "$format" "${season[@]}" --output "$work/week13.$format"
done

browser=(chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run
  --disable-background-networking --disable-component-update --disable-sync
  --user-data-dir="$work/profile")
"${browser[@]}" --dump-dom "file://$work/week13.html" > "$work/dom.html" 2>/dev/null
python3 - "$work" <<'PY'
import csv, json, re, sys
work = sys.argv[1]
dom = open(f"{work}/dom.html", encoding="utf-8").read()
body = dom[dom.index("<tbody>"):dom.index("</tbody>")]
rows = body.count("<tr>")
teams = dom.count('<g class="team"')
lines = dom.count("<polyline")
assert rows == 25, f"{rows} table rows shown"
assert teams == 25 and lines > 0, f"{teams} teams and {lines} lines in the chart"
assert "default-src 'none'" in dom, "the page's policy against fetching is gone"
outside = re.findall(r'\b(?:src|href)\s*=|url\(|@import', dom)
assert not outside, f"the page refers outside itself: {outside}"
data = json.load(open(f"{work}/week13.json", encoding="utf-8"))
with open(f"{work}/week13.csv", newline="", encoding="utf-8") as f:
    table = list(csv.reader(f))
assert table[0] == ["rank", "team", "first_place_votes", "wins", "losses", "points",
                    "last_week", "change"], table[0]
assert all(len(row) == 8 for row in table), "a CSV row without its eight fields"
assert [row[1] for row in table[1:]] == [team["team"] for team in data["teams"]]
assert data["top"] == 25 and data["date"] == "2025-03-09" and data["title"] == "Top 25"
print(f"rendered: {rows} rows, {teams} chart lines ({lines} runs); "
      f"JSON and CSV agree on {len(data['teams'])} teams")
PY

# The Markdown as GitHub renders it (cmark-gfm with its extensions): names that look like
# addresses or markup are shown, never made links or tags.
printf 'March 9 2025\n1\twww.evil.example\t1-0\t40\t-\n2\thttps://evil.example/x\t1-0\t30\t-\n3\tme@evil.example\t1-0\t20\t-\n4\t&lt;b&gt; r/evil\t1-0\t10\t-\n' \
  > "$work/addresses.txt"
"$exe" --publish markdown "$work/addresses.txt" |
  cmark-gfm -e table -e autolink -e strikethrough > "$work/addresses.html"
if grep -E '<a |<b>' "$work/addresses.html"; then
  echo "the Markdown made a link or a tag of a name"
  exit 1
fi
grep -q 'www.evil.example' "$work/addresses.html"

# The week's ballots analysed: the page renders a row per ballot and a cell per place, marks its
# far picks in words, and refers to nothing outside itself.
"$exe" --analyze html examples/week12.txt --teams examples/teams.txt \
  examples/week13-ballots/web-form.csv "examples/week13-ballots/Sam Ortega.txt" \
  --output "$work/analysis.html"
"${browser[@]}" --dump-dom "file://$work/analysis.html" > "$work/analysis-dom.html" 2>/dev/null
python3 - "$work" <<'PY'
import re, sys
dom = open(f"{sys.argv[1]}/analysis-dom.html", encoding="utf-8").read()
grid = dom[dom.index("<tbody>"):dom.index("</tbody>")]
assert grid.count("<tr>") == 5, "a row per ballot"
assert all(row.count("<td") == 2 + 25 + 1 for row in grid.split("</tr>")[:-1]), "a cell per place"
assert "far above the consensus" in grid, "the far pick is not marked in words"
assert "default-src 'none'" in dom and not re.findall(r'\b(?:src|href)\s*=|url\(|@import', dom)
print("analysis page rendered: 5 ballots of 25 places")
PY

# A season of 20 weeks across a new year, published as a week and as a season, measured in
# Chromium at a desktop's width and a phone's: no two date labels under the chart overlap and
# its text is at least 11 CSS px. (The measuring script runs in a copy of each page without
# its policy; the pages themselves run none.)
python3 - "$work" <<'PY'
import datetime, random, sys
work = sys.argv[1]
teams = [line.split("\t")[1] for line in open("examples/week12.txt", encoding="utf-8").read().splitlines()[1:]]
rng = random.Random(20)
day = datetime.date(2024, 11, 10)
for week in range(20):
    votes = sorted(((rng.randint(100, 1600), name) for name in teams), reverse=True)
    with open(f"{work}/s{week:02d}.txt", "w", encoding="utf-8") as out:
        out.write(f"{day.strftime('%B')} {day.day} {day.year}\n")
        for position, (points, name) in enumerate(votes, 1):
            out.write(f"{position}\t{name}\t10-5\t{points}\t-\n")
    day += datetime.timedelta(days=7)
PY
"$exe" --publish html "$work"/s??.txt --output "$work/w20.html"
"$exe" --season html "$work"/s??.txt --output "$work/season20.html"
for page in w20 season20; do
  python3 - "$work/$page.html" "$work/$page-measure.html" <<'PY'
import re, sys
page = open(sys.argv[1], encoding="utf-8").read()
page = re.sub(r'<meta http-equiv="Content-Security-Policy"[^>]*>', "", page)
measure = """<script>
const svg = document.querySelector("svg");
const scale = svg.getBoundingClientRect().width / svg.viewBox.baseVal.width;
const boxes = [...document.querySelectorAll("text.date")].map(t => t.getBoundingClientRect());
const sizes = [...svg.querySelectorAll("text")].map(t => parseFloat(getComputedStyle(t).fontSize));
let overlaps = 0;
for (let i = 1; i < boxes.length; ++i) if (boxes[i].left < boxes[i - 1].right) ++overlaps;
const result = document.createElement("pre");
result.id = "measure";
result.textContent = [boxes.length, overlaps, (Math.min(...sizes) * scale).toFixed(2)].join(" ");
document.body.append(result);
</script>"""
open(sys.argv[2], "w", encoding="utf-8").write(page.replace("</body>", measure + "</body>"))
PY
  for width in 1280 390; do
    "${browser[@]}" --window-size=$width,900 --virtual-time-budget=2000 --dump-dom \
      "file://$work/$page-measure.html" 2>/dev/null | grep -o '<pre id="measure">[^<]*' |
      sed 's/.*>//' > "$work/measure.txt"
    read -r labels overlaps size < "$work/measure.txt"
    echo "$page at $width px: $labels date labels, $overlaps overlapping, text $size px"
    [ "$labels" -ge 5 ] && [ "$overlaps" -eq 0 ] &&
      awk -v s="$size" 'BEGIN { exit !(s >= 10.99) }' ||
      { echo "the chart of $page does not read at $width px"; exit 1; }
  done
done
# The season page and the feed: every form at once, and the feed read by a feed parser.
mkdir -p "$work/site"
"$exe" --publish all "$work"/s??.txt --output-dir "$work/site" --feed https://poll.example/ \
  > /dev/null
/usr/bin/python3 - "$work/site/feed.xml" <<'PY'
import sys, feedparser
feed = feedparser.parse(sys.argv[1])
assert not feed.bozo, feed.bozo_exception
assert len(feed.entries) == 20 and feed.entries[0].link == "https://poll.example/2025-03-23.html"
print(f"feed: {len(feed.entries)} entries, newest {feed.entries[0].title}")
PY

if [ -n "$shot" ]; then
  "${browser[@]}" --window-size=800,1800 --hide-scrollbars --screenshot="$shot" \
    "file://$work/week13.html" 2>/dev/null
fi
echo "published week rendered and read back"
