#!/usr/bin/env python3
"""Compares tallmere32's CSV report (Bytes unit, full display) on standard input with the
ROWS.tsv that make_tree.py wrote, or with the expected.tsv of ../shared/bench/make-trees.sh
(whose TOTAL row is the Grand Total); prints the rows that differ and exits 1 if any do.

usage: check_rows.py TREE ROWS [N]   N: compare only each row's first N figures (default 10)"""
import csv
import io
import sys

tree, expected_path = sys.argv[1].rstrip("/"), sys.argv[2]
compared = int(sys.argv[3]) if len(sys.argv) > 3 else 10
table = list(csv.reader(io.StringIO(sys.stdin.read().replace("\r", ""))))


def figures(cells):
    return [int(c.replace(",", "") or 0) for c in cells[1:1 + compared]]


got = {"TOTAL": figures(table[-1])}
for cells in table[1:-1]:
    name = "." if cells[0] == tree else cells[0][len(tree) + 1:]
    got[name] = figures(cells)
checked = bad = 0
with open(expected_path) as expected:
    for line in expected:
        if line.startswith(("#", "row\t")):
            continue
        fields = line.rstrip("\n").split("\t")
        want = [int(x) for x in fields[1:1 + compared]]
        checked += 1
        if got.get(fields[0]) != want:
            bad += 1
            print(f"differs: {fields[0]}: expected {want}, got {got.get(fields[0])}")
print(f"check: {checked} rows, {bad} differ")
sys.exit(1 if bad else 0)
