#!/usr/bin/env python3
"""Works out the analysis of the sixty-ballot week on its own, from the ballots, and checks
that hoops-ranking --analyze json gives the same numbers to two decimals and that its CSV reads
back with the same rows.

    check_analysis.py path/to/hoops-ranking tests/ballots/data
"""
import csv
import io
import json
import math
import subprocess
import sys

exe, data = sys.argv[1], sys.argv[2]
args = [exe, "--analyze", "FORMAT", f"{data}/sixty-last.txt", f"{data}/sixty-ballots.csv",
        "--new", "Newcomer State", "--new", "Late Bloomer College"]


def run(form):
    return subprocess.run([a if a != "FORMAT" else form for a in args], check=True,
                          capture_output=True).stdout


with open(f"{data}/sixty-ballots.csv", newline="") as f:
    rows = [r for r in csv.reader(f)][1:]
ballots = [(r[0], r[1:]) for r in rows]
P, N = len(ballots[0][1]), len(ballots)
points = {}
for _, teams in ballots:
    for place, team in enumerate(teams, 1):
        points.setdefault(team, []).append(P + 1 - place)
mean = {t: sum(p) / N for t, p in points.items()}
spread = {t: math.sqrt(max(0.0, sum(x * x for x in p) / N - mean[t] ** 2)) for t, p in points.items()}
total = {t: sum(p) for t, p in points.items()}
rank = {t: 1 + sum(1 for u in total if total[u] > total[t]) for t in total}
top = [t for t in total if rank[t] <= P]


def z(team, got):
    return (got - mean[team]) / max(1.0, spread[team])


def close(a, b):
    return abs(a - b) <= 0.0051


answer = json.loads(run("json"))
assert len(answer["ballots"]) == N
for (voter, teams), got in zip(ballots, answer["ballots"]):
    assert got["voter"] == voter
    score = sum(abs(z(t, P + 1 - p)) for p, t in enumerate(teams, 1))
    footrule = sum(abs(p - min(rank[t], P + 1)) for p, t in enumerate(teams, 1))
    left = [t for t in top if t not in teams]
    score += sum(abs(z(t, 0)) for t in left)
    footrule += sum(P + 1 - rank[t] for t in left)
    assert close(got["score"], score), (voter, got["score"], score)
    assert got["footrule"] == footrule, (voter, got["footrule"], footrule)
    for p, pick in enumerate(got["picks"], 1):
        assert pick["team"] == teams[p - 1] and pick["place"] == p
        assert close(pick["z"], z(pick["team"], P + 1 - p)) and pick["consensus"] == rank[pick["team"]]
    assert sorted(o["team"] for o in got["omitted"]) == sorted(left)
for team in answer["teams"]:
    t = team["team"]
    assert team["points"] == total[t] and team["rank"] == rank[t], t
    assert team["ballots"] == len(points[t]) and close(team["spread"], spread[t]), t
singles = {t for t, p in points.items() if len(p) == 1}
assert {s["team"] for s in answer["single"]} == singles

table = list(csv.DictReader(io.StringIO(run("csv").decode())))
assert len(table) == sum(len(b["picks"]) + len(b["omitted"]) for b in answer["ballots"])
assert all(close(float(r["z"]), z(r["team"], int(r["points"]))) for r in table)
print(f"the analysis of {N} ballots agrees")
