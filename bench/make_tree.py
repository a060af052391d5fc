#!/usr/bin/env python3
"""Builds a deterministic synthetic tree for timing directory walks.

usage: make_tree.py DEST FILES [DIRS] [--seed N] [--xattr-percent P]

Files get sparse sizes from 0 to 8 MiB, a few dot names and symbolic links, and a share of
them a Samba-style user.DOSATTRIB value, spread over DIRS directories in about 30 uneven
top-level folders at most eight levels deep. Beside DEST, DEST.rows.tsv holds the exact
figures of every summary row: the start directory's own entries, then each top-level
folder's subtree.
"""
import argparse
import os
import random
import struct

FIELDS = ["files", "bytes", "dirs", "hidden_files", "hidden_bytes", "hidden_dirs",
          "system_files", "system_bytes", "archive_files", "archive_bytes"]


class Row:
    def __init__(self, name):
        self.name = name
        self.v = dict.fromkeys(FIELDS, 0)

    def add(self, key, amount=1):
        self.v[key] += amount


def file_size(rng):
    r = rng.random()
    if r < 0.03:
        return 0
    if r < 0.35:
        return rng.randint(1, 1024)
    if r < 0.75:
        return int(2 ** rng.uniform(10, 16))
    if r < 0.96:
        return int(2 ** rng.uniform(16, 20))
    return int(2 ** rng.uniform(20, 23))


def dos_value(attributes):
    # Hex text with its NUL, then a version-5 record: version, level, valid flags, attrib,
    # create time.
    return b"0x%x\0" % attributes + struct.pack("<HHIIQ", 5, 5, 1, attributes, 0)


class Builder:
    def __init__(self, rng, xattr_percent):
        self.rng = rng
        self.xattr_percent = xattr_percent
        self.count = 0

    def files(self, folder, how_many, row):
        for _ in range(how_many):
            self.count += 1
            hidden = self.rng.random() < 0.03
            name = ("." if hidden else "") + "file-%x%s" % (
                self.count, self.rng.choice(["", ".txt", ".c", ".jpg", ".o", ".tar.gz"]))
            path = os.path.join(folder, name)
            if self.rng.random() < 0.002:
                target = self.rng.choice(["..", "/", "missing"])
                os.symlink(target, path)
                size, attributes = len(target), 0
            else:
                size = file_size(self.rng)
                with open(path, "wb") as f:
                    f.truncate(size)
                attributes = self.dos_attributes(path, hidden)
            row.add("files")
            row.add("bytes", size)
            if hidden or attributes & 2:
                row.add("hidden_files")
                row.add("hidden_bytes", size)
            if attributes & 4:
                row.add("system_files")
                row.add("system_bytes", size)
            if attributes & 0x20:
                row.add("archive_files")
                row.add("archive_bytes", size)

    def dos_attributes(self, path, hidden):
        if self.rng.random() * 100 >= self.xattr_percent:
            return 0
        attributes = 0x20 | (4 if self.rng.random() < 0.1 else 0) | (2 if hidden else 0)
        try:
            os.setxattr(path, "user.DOSATTRIB", dos_value(attributes))
        except OSError:
            self.xattr_percent = 0
            return 0
        return attributes

    def subtree(self, folder, dirs, files, row):
        """Makes DIRS directories below FOLDER, FILES files spread over them and FOLDER."""
        folders = [(folder, 1)]
        for k in range(dirs):
            parent, depth = self.rng.choice(folders[-50:] + folders[:1])
            if depth >= 8:
                parent, depth = folder, 1
            hidden = self.rng.random() < 0.02
            child = os.path.join(parent, ("." if hidden else "") + "dir-%x" % k)
            os.mkdir(child)
            folders.append((child, depth + 1))
            row.add("dirs")
            if hidden:
                row.add("hidden_dirs")
        weights = [self.rng.lognormvariate(0, 1.2) for _ in folders]
        total = sum(weights)
        for (path, _), weight in zip(folders, weights):
            self.files(path, int(files * weight / total), row)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("dest")
    parser.add_argument("files", type=int)
    parser.add_argument("dirs", type=int, nargs="?")
    parser.add_argument("--seed", type=int, default=7)
    parser.add_argument("--xattr-percent", type=float, default=20)
    args = parser.parse_args()
    dirs = args.dirs if args.dirs is not None else max(args.files // 10, 30)
    rng = random.Random(args.seed)
    builder = Builder(rng, args.xattr_percent)
    os.makedirs(args.dest)
    start = Row(".")
    builder.files(args.dest, 40, start)
    rows = [start]
    weights = [1.0 / (i + 1) ** 1.1 for i in range(30)]
    rng.shuffle(weights)
    total = sum(weights)
    for i, weight in enumerate(weights):
        name = ("." if i == 3 else "") + "top%02d" % i + (" with spaces" if i == 11 else "")
        os.mkdir(os.path.join(args.dest, name))
        start.add("dirs")
        if name.startswith("."):
            start.add("hidden_dirs")
        row = Row(name)
        builder.subtree(os.path.join(args.dest, name), int((dirs - 30) * weight / total),
                        int((args.files - 40) * weight / total), row)
        rows.append(row)
    with open(args.dest.rstrip("/") + ".rows.tsv", "w") as out:
        out.write("row\t" + "\t".join(FIELDS) + "\n")
        for row in rows:
            out.write(row.name + "\t" + "\t".join(str(row.v[f]) for f in FIELDS) + "\n")


if __name__ == "__main__":
    main()
