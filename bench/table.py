#!/usr/bin/env python3
"""Prints bench/run.sh's table from the hyperfine results it left in OUT.

usage: table.py OUT LABEL ...   (LABEL: a tree's shape, "-cold" added for cold-cache runs)

Each ratio compares medians, with the ratio of best runs in parentheses: on a shared machine
noise only ever adds time, so the best-run ratio is the steadier of the two.
"""
import json
import os
import sys

REFERENCES = ["du", "gdu", "limit-2t-x"]
# An import of a tree's export is read against the walk of that tree.
IMPORT_REFERENCE = "tallmere32"


def results(out, label):
    with open(os.path.join(out, label + ".json")) as f:
        return {r["command"]: r for r in json.load(f)["results"]}


def peak_mib(out, label, tool):
    try:
        with open(os.path.join(out, f"{label}.{tool}.rss")) as f:
            return "%.1f" % (int(f.read().split()[-1]) / 1024)
    except (OSError, ValueError, IndexError):
        return "-"


def ratio(result, reference):
    if reference is None:
        return "-"
    return "%.2f (%.2f)" % (result["median"] / reference["median"], result["min"] / reference["min"])


def rows(out, label, references):
    timed = results(out, label)
    for tool, r in timed.items():
        cpu = (r["user"] + r["system"])
        yield [label, tool, "%.3f" % r["median"], "%.3f" % r["min"], "%.3f" % cpu,
               peak_mib(out, label, tool)] + [ratio(r, timed.get(ref)) for ref in references]


def main():
    out, labels = sys.argv[1], sys.argv[2:]
    imported = any("import" in results(out, label) for label in labels)
    references = REFERENCES + ([IMPORT_REFERENCE] if imported else [])
    header = ["tree", "tool", "median s", "best s", "cpu s", "peak MiB"] + \
        ["x " + ref for ref in references]
    table = [row for label in labels for row in rows(out, label, references)]
    widths = [max(len(h), *(len(row[i]) for row in table)) for i, h in enumerate(header)]
    print("| " + " | ".join(h.ljust(w) for h, w in zip(header, widths)) + " |")
    print("|" + "|".join("-" * (w + 1) + (":" if i > 1 else "-")
                         for i, w in enumerate(widths)) + "|")
    for row in table:
        cells = [c.ljust(w) if i < 2 else c.rjust(w) for i, (c, w) in enumerate(zip(row, widths))]
        print("| " + " | ".join(cells) + " |")


if __name__ == "__main__":
    main()
