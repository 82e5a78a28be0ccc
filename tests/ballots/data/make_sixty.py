#!/usr/bin/env python3
"""Makes the sixty-ballot week the tally's test counts, and works out the expected week on its
own, apart from the program: sixty-last.txt (last week, 30 teams), sixty-ballots.csv (60
voters, 25 places each, some quoted, a few teams new this week) and sixty-expected.txt."""
import csv
import random

rng = random.Random(2026)
last = [f"School {chr(65 + i // 26)}{chr(65 + i % 26)}" for i in range(30)]
last[3] = "Texas A&M, Corpus Christi"  # a comma: quoted in the CSV
last[7] = 'The "Quoted" U'
new = ["Newcomer State", "Late Bloomer College"]
records = {name: (20 - i % 7, 3 + i % 5) for i, name in enumerate(last)}

with open("sixty-last.txt", "w", newline="\n") as out:
    out.write("March 2 2025\n")
    for position, name in enumerate(last, 1):
        wins, losses = records[name]
        out.write(f"{position}\t{name}\t{wins}-{losses}\t{1000 - position}\t{position}\n")

points = {}
with open("sixty-ballots.csv", "w", newline="") as out:
    writer = csv.writer(out, lineterminator="\r\n")
    writer.writerow(["Voter"] + [str(p) for p in range(1, 26)])
    for voter in range(1, 61):
        pool = last[:] + new
        weights = [1.0 / (i + 1) ** 0.7 for i in range(len(last))] + [0.02, 0.01]
        ballot = []
        while len(ballot) < 25:
            pick = rng.choices(pool, weights)[0]
            if pick not in ballot:
                ballot.append(pick)
        writer.writerow([f"Voter {voter:02d}"] + ballot)
        for place, team in enumerate(ballot, 1):
            points[team] = points.get(team, 0) + 26 - place

rank_of = {name: i for i, name in enumerate(last, 1)}
order = sorted(points, key=lambda t: (-points[t], rank_of.get(t, 10**9), t.encode()))
with open("sixty-expected.txt", "w", newline="\n") as out:
    out.write("March 9 2025\n")
    for position, name in enumerate(order, 1):
        wins, losses = records.get(name, (0, 0))
        lastweek = rank_of.get(name)
        out.write(f"{position}\t{name}\t{wins}-{losses}\t{points[name]}\t"
                  f"{lastweek if lastweek else '-'}\n")
