#!/usr/bin/env python3
"""Blind difficulty rating of the question bank.

Raters see the records shuffled across all fifteen levels, each under an opaque key, with its
four answers and the right letter, but never its level. Each rater writes one line per key:
`key<TAB>estimated level 1..15`. This script makes the sheets, merges the raters' files into
the maintainer's table `questions/ratings.tsv`, and prints how well the levels follow the
ratings.

  blind.py sheet OUT.tsv [--keys KEYS.txt] [--seed N]   a shuffled sheet (all records, or only KEYS)
  blind.py table RATER.tsv... > questions/ratings.tsv   one row per record: level, number, key, ratings, mean
  blind.py stats [questions/ratings.tsv]                 rank correlation, medians per level, records rated 3+ too easy
  blind.py key LEVEL NUMBER                              the key of one record
"""
import csv
import hashlib
import random
import statistics
import sys
from pathlib import Path

DATA = Path(__file__).resolve().parent.parent / "data"
TABLE = Path(__file__).resolve().parent.parent / "ratings.tsv"


def records():
    """(level, number, record dict) for every record of the bank, in bank order."""
    for level in range(1, 16):
        with open(DATA / f"level-{level:02d}.tsv", encoding="utf-8", newline="") as f:
            for row in csv.DictReader(f, delimiter="\t", quoting=csv.QUOTE_NONE):
                yield level, int(row["number"]), row


def key_of(row):
    """A record's key: stable while its question text stays, and silent about its level."""
    return hashlib.sha1(row["question"].encode("utf-8")).hexdigest()[:8]


def sheet(out, keys=None, seed=2026):
    rows = [row for _, _, row in records() if keys is None or key_of(row) in keys]
    random.Random(seed).shuffle(rows)
    with open(out, "w", encoding="utf-8", newline="") as f:
        f.write("key\tright\tquestion\tanswerA\tanswerB\tanswerC\tanswerD\n")
        for row in rows:
            f.write("\t".join([key_of(row), row["right"], row["question"], row["answerA"], row["answerB"],
                               row["answerC"], row["answerD"]]) + "\n")
    print(f"{len(rows)} records -> {out}", file=sys.stderr)


def read_ratings(path):
    got = {}
    for line in open(path, encoding="utf-8"):
        parts = line.strip().split("\t")
        if len(parts) >= 2 and parts[0] != "key":
            got[parts[0]] = int(parts[1])
    return got


def table(paths):
    raters = [read_ratings(p) for p in paths]
    names = [Path(p).stem for p in paths]
    print("level\tnumber\tkey\t" + "\t".join(names) + "\tmean")
    missing = 0
    for level, number, row in records():
        k = key_of(row)
        marks = [r.get(k) for r in raters]
        given = [m for m in marks if m is not None]
        missing += len(given) < 2
        mean = f"{statistics.mean(given):.1f}" if given else ""
        print(f"{level}\t{number}\t{k}\t" + "\t".join("" if m is None else str(m) for m in marks) + f"\t{mean}")
    if missing:
        print(f"{missing} records have fewer than two ratings", file=sys.stderr)


def ranks(values):
    order = sorted(range(len(values)), key=lambda i: values[i])
    r = [0.0] * len(values)
    i = 0
    while i < len(order):
        j = i
        while j + 1 < len(order) and values[order[j + 1]] == values[order[i]]:
            j += 1
        for t in range(i, j + 1):
            r[order[t]] = (i + j) / 2 + 1
        i = j + 1
    return r


def spearman(x, y):
    rx, ry = ranks(x), ranks(y)
    mx, my = statistics.mean(rx), statistics.mean(ry)
    cov = sum((a - mx) * (b - my) for a, b in zip(rx, ry))
    return cov / (sum((a - mx) ** 2 for a in rx) * sum((b - my) ** 2 for b in ry)) ** 0.5


def stats(path=TABLE):
    rows = list(csv.DictReader(open(path, encoding="utf-8"), delimiter="\t"))
    levels = [int(r["level"]) for r in rows if r["mean"]]
    means = [float(r["mean"]) for r in rows if r["mean"]]
    print(f"records rated: {len(means)}")
    print(f"rank correlation of level and mean rating: {spearman(levels, means):.3f}")
    easy = [r for r in rows if r["mean"] and int(r["level"]) - float(r["mean"]) >= 3]
    print(f"rated three or more levels below their level: {len(easy)} ({100 * len(easy) / len(means):.1f} %)")
    previous = None
    for level in range(1, 16):
        m = [float(r["mean"]) for r in rows if r["mean"] and int(r["level"]) == level]
        med = statistics.median(m)
        flag = "  <- falls" if previous is not None and med < previous else ""
        n_easy = sum(1 for r in easy if int(r["level"]) == level)
        print(f"level {level:2d}: median {med:4.1f}, mean {statistics.mean(m):4.1f}, {n_easy:2d} too easy{flag}")
        previous = med
    for r in easy:
        print(f"  too easy: level {r['level']} number {r['number']} key {r['key']} mean {r['mean']}")


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    cmd = argv[1]
    if cmd == "sheet":
        keys = None
        seed = 2026
        if "--keys" in argv:
            keys = set(Path(argv[argv.index("--keys") + 1]).read_text().split())
        if "--seed" in argv:
            seed = int(argv[argv.index("--seed") + 1])
        sheet(argv[2], keys, seed)
    elif cmd == "table":
        table(argv[2:])
    elif cmd == "stats":
        stats(argv[2] if len(argv) > 2 else TABLE)
    elif cmd == "key":
        for level, number, row in records():
            if level == int(argv[2]) and number == int(argv[3]):
                print(key_of(row))
    else:
        print(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
