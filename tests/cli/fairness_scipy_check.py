#!/usr/bin/env python3
"""Checks the figures of `spinalyst-cli fairness` against a second computation with SciPy.

Usage: fairness_scipy_check.py PATH/TO/spinalyst-cli

Plays a few seeded games (fair ones, and one with a favoured pocket so that small p-values are
checked too), runs the command on each and recomputes the chi-square, binomial (two-sided and
one-sided), runs and serial figures here; then freezes the leader of each game's first half and
checks `spinalyst-cli confirm` on the second half the same way. Exits 1 with one line per
disagreement.
"""

import csv
import io
import math
import random
import subprocess
import sys
import tempfile
from pathlib import Path

import numpy as np
from scipy import stats

FRENCH_WHEEL = [0, 32, 15, 19, 4, 21, 2, 25, 17, 34, 6, 27, 13, 36, 11, 30, 8, 23, 10, 5, 24,
                16, 33, 1, 20, 14, 31, 9, 22, 18, 29, 7, 28, 12, 35, 3, 26]
AMERICAN_WHEEL = [0, 28, 9, 26, 30, 11, 7, 20, 32, 17, 5, 22, 34, 15, 3, 24, 36, 13, 1, 37, 27,
                  10, 25, 29, 12, 8, 19, 31, 18, 6, 21, 33, 16, 4, 23, 35, 14, 2]
RED = {1, 3, 5, 7, 9, 12, 14, 16, 18, 19, 21, 23, 25, 27, 30, 32, 34, 36}


def wheel(kind):
    return {"american": AMERICAN_WHEEL, "french": FRENCH_WHEEL, "nozero": FRENCH_WHEEL[1:]}[kind]


def text(p):
    return "00" if p == 37 else str(p)


def holm(ps):
    order = sorted(range(len(ps)), key=lambda i: ps[i])
    adjusted, running = [0.0] * len(ps), 0.0
    for rank, i in enumerate(order):
        running = max(running, min(1.0, (len(ps) - rank) * ps[i]))
        adjusted[i] = running
    return adjusted


def families(kind, draws):
    """Observed and expected cells of each outside family, green pockets last."""
    pockets = wheel(kind)
    cells = {
        "dozens": lambda p: (p - 1) // 12,
        "columns": lambda p: (p - 1) % 3,
        "red_black": lambda p: 0 if p in RED else 1,
        "even_odd": lambda p: p % 2,
        "low_high": lambda p: 0 if p <= 18 else 1,
    }
    for name, cell in cells.items():
        boxes = 3 if name in ("dozens", "columns") else 2
        index = lambda p: boxes if p in (0, 37) else cell(p)
        size = boxes + (0 if kind == "nozero" else 1)
        observed, share = [0] * size, [0] * size
        for p in draws:
            observed[index(p)] += 1
        for p in pockets:
            share[index(p)] += 1
        yield name, observed, [len(draws) * s / len(pockets) for s in share]


def runs_z(draws, first):
    sides = [first(p) for p in draws if p not in (0, 37)]
    n1, n2 = sides.count(True), sides.count(False)
    n = n1 + n2
    runs = 1 + sum(1 for a, b in zip(sides, sides[1:]) if a != b)
    mean = 1 + 2 * n1 * n2 / n
    var = 2 * n1 * n2 * (2 * n1 * n2 - n) / (n * n * (n - 1))
    z = (runs - mean) / math.sqrt(var)
    return z, 2 * stats.norm.sf(abs(z))


def expected_rows(kind, draws, croupiers, names):
    """(test, subject) -> (statistic, df, p, p_adjusted) for every row checked here."""
    rows = {}
    pockets = sorted(wheel(kind))
    n, count = len(draws), len(pockets)
    hits = [draws.count(p) for p in pockets]
    chi = stats.chisquare(hits)
    rows[("pockets", "all")] = (chi.statistic, count - 1, chi.pvalue, chi.pvalue)
    share = 1 / count
    ps = [stats.binomtest(k, n, share).pvalue for k in hits]
    for p, k, pv, adj in zip(pockets, hits, ps, holm(ps)):
        z = (k - n * share) / math.sqrt(n * share * (1 - share))
        rows[("pocket", text(p))] = (z, None, pv, adj)

    greater = [stats.binomtest(k, n, share, alternative="greater").pvalue for k in hits]
    for p, k, pv, adj in zip(pockets, hits, greater, holm(greater)):
        rows[("excess/pocket", text(p))] = (k / (n * share) - 1, None, pv, adj)

    fam = [(name, stats.chisquare(o, e), len(o) - 1) for name, o, e in families(kind, draws)]
    for (name, test, df), adj in zip(fam, holm([t.pvalue for _, t, _ in fam])):
        rows[(name, "all")] = (test.statistic, df, test.pvalue, adj)

    position = {p: i for i, p in enumerate(wheel(kind))}
    dealers = []
    for number, name in enumerate(names, start=1):
        d = [0] * count
        for i in range(1, n):
            if croupiers[i] == croupiers[i - 1] == number:
                d[(position[draws[i]] - position[draws[i - 1]]) % count] += 1
        if sum(d) >= 50:
            dealers.append((name, stats.chisquare(d)))
    for (name, test), adj in zip(dealers, holm([t.pvalue for _, t in dealers])):
        rows[("dealer", name)] = (test.statistic, count - 1, test.pvalue, adj)

    chances = {"red_black": lambda p: p in RED, "even_odd": lambda p: p % 2 == 0,
               "low_high": lambda p: p <= 18}
    runs = [(name, *runs_z(draws, first)) for name, first in chances.items()]
    for (name, z, pv), adj in zip(runs, holm([pv for _, _, pv in runs])):
        rows[("runs", name)] = (z, None, pv, adj)

    x = np.array([position[p] for p in draws], dtype=float)
    c = x - x.mean()
    r = float(np.dot(c[:-1], c[1:]) / np.dot(c, c))
    pv = 2 * stats.norm.sf(abs((r + 1 / n) * math.sqrt(n)))
    rows[("serial", "positions")] = (r, None, pv, pv)
    return rows


def game(kind, n, seed, favoured=None, croupiers=()):
    rng = random.Random(seed)
    pockets = wheel(kind)
    draws = [rng.choice(pockets) for _ in range(n)]
    if favoured is not None:
        draws = [favoured if i % 40 == 0 else p for i, p in enumerate(draws)]
    who = [1 + (i // 250) % len(croupiers) if croupiers else 0 for i in range(n)]
    return draws, who


def close(a, b):
    return math.isclose(a, b, rel_tol=2e-8, abs_tol=1e-14)


def check(cli, kind, draws, who, names, folder, label):
    path = Path(folder) / f"{label}.csv"
    with path.open("w", encoding="utf-8", newline="") as f:
        writer = csv.writer(f, lineterminator="\n")
        writer.writerow(["draw", "time", "croupier", "pocket"])
        for i, (p, c) in enumerate(zip(draws, who)):
            writer.writerow([i + 1, "", names[c - 1] if c else "", text(p)])
    run = subprocess.run([cli, "fairness", "--kind", kind, "--simulations", "100", str(path)],
                         capture_output=True, text=True)
    if run.returncode != 0:
        return [f"{label}: exit status {run.returncode}: {run.stderr.strip()}"]
    out = run.stdout
    got = {(r["test"], r["subject"]): r for r in csv.DictReader(io.StringIO(out))}
    errors = []
    for key, (statistic, df, pv, adj) in expected_rows(kind, draws, who, names).items():
        row = got.get(key)
        if row is None:
            errors.append(f"{label}: no row {key}")
            continue
        want_df = "" if df is None else str(df)
        figures = [("statistic", float(row["statistic"]), statistic),
                   ("p_value", float(row["p_value"]), pv),
                   ("p_adjusted", float(row["p_adjusted"]), adj)]
        if row["df"] != want_df:
            errors.append(f"{label} {key}: df {row['df']}, SciPy {want_df}")
        for what, mine, theirs in figures:
            if not close(mine, theirs):
                errors.append(f"{label} {key}: {what} {mine!r}, SciPy {theirs!r}")
    return errors


def check_confirm(cli, kind, draws, folder, label):
    """The leader of the first half, frozen there and tested on the second half."""
    path = Path(folder) / f"{label}.txt"
    path.write_text("\n".join(text(p) for p in draws) + "\n", encoding="utf-8")
    frozen = len(draws) // 2
    first = draws[:frozen]
    leader = max(sorted(set(first)), key=first.count)
    pockets = sorted(wheel(kind))
    chosen = [leader, pockets[(pockets.index(leader) + 1) % len(pockets)]]
    run = subprocess.run([cli, "confirm", "--kind", kind, "--freeze", str(frozen), "--pockets",
                          ",".join(text(p) for p in chosen), str(path)],
                         capture_output=True, text=True)
    if run.returncode != 0:
        return [f"{label} confirm: exit status {run.returncode}: {run.stderr.strip()}"]
    got = next(csv.DictReader(io.StringIO(run.stdout)))
    after = draws[frozen:]
    m, x, k = len(after), sum(1 for p in after if p in chosen), len(chosen)
    share = k / len(wheel(kind))
    low = stats.beta.ppf(0.025, x, m - x + 1) if x > 0 else 0.0
    high = stats.beta.ppf(0.975, x + 1, m - x) if x < m else 1.0
    b = 36 / k - 1
    kelly = max(0.0, (b * low - (1 - low)) / b)
    want = {"expected": m * share,
            "p_value": stats.binomtest(x, m, share, alternative="greater").pvalue,
            "ev": 36 * x / (k * m) - 1, "ev_low": 36 * low / k - 1, "ev_high": 36 * high / k - 1,
            "kelly": kelly, "half_kelly": kelly / 2}
    errors = []
    if (int(got["draws"]), int(got["hits"])) != (m, x):
        errors.append(f"{label} confirm: {got['draws']} draws, {got['hits']} hits; want {m}, {x}")
    for what, theirs in want.items():
        if not close(float(got[what]), theirs):
            errors.append(f"{label} confirm {what}: {got[what]}, SciPy {theirs!r}")
    return errors


def main():
    cli = sys.argv[1]
    names = ["Anna", "Dupont, Jean", "Zoé"]
    cases = [
        ("american", *game("american", 2000, 1, croupiers=names[:2]), "american"),
        ("french", *game("french", 5000, 2, croupiers=names), "french"),
        ("nozero", *game("nozero", 400, 3), "nozero"),
        ("french", *game("french", 3000, 4, favoured=17, croupiers=names), "favoured"),
    ]
    errors = []
    with tempfile.TemporaryDirectory() as folder:
        for kind, draws, who, label in cases:
            errors += check(cli, kind, draws, who, names, folder, label)
            errors += check_confirm(cli, kind, draws, folder, label)
    for e in errors:
        print(e)
    print(f"{len(cases)} games checked, {len(errors)} disagreements")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
