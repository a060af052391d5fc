#!/usr/bin/env python3
"""Builds a deterministic synthetic tree for timing directory walks.

usage: make_tree.py DEST SHAPE [--seed N] [--xattr-percent P]

SHAPE is one of
  medium   200,000 files in 20,000 folders: about 30 uneven top-level folders, at most
           eight levels deep, a few folders with hundreds of subfolders, most with none
  large    1,000,000 files in 100,000 folders, shaped like medium
  wide     100,000 files in the start folder itself
  deep     a chain of 2,000 folders, one file in each; its deepest paths are about
           12,000 bytes long, three times PATH_MAX
  small    2,000 files in 200 folders, for trying the script itself

Files get sparse sizes from 0 to 8 MiB, a few dot names and symbolic links (to "..", to "/",
dangling), and a share of them a Samba-style user.DOSATTRIB value; a few folders without a
dot carry the hidden bit in theirs. Everything is made relative to open folder handles, so
no path grows past PATH_MAX. Beside DEST, DEST.rows.tsv holds the exact figures of every
summary row: the start folder's own entries, then each top-level folder's subtree.
"""
import argparse
import os
import random
import struct

FIELDS = ["files", "bytes", "dirs", "hidden_files", "hidden_bytes", "hidden_dirs",
          "system_files", "system_bytes", "archive_files", "archive_bytes"]

SHAPES = {  # files, folders
    "small": (2_000, 200),
    "medium": (200_000, 20_000),
    "large": (1_000_000, 100_000),
}

DIR_FLAGS = os.O_RDONLY | os.O_DIRECTORY


class Row:
    def __init__(self, name):
        self.name = name
        self.v = dict.fromkeys(FIELDS, 0)

    def add(self, key, amount=1):
        self.v[key] += amount


def dos_value(attributes):
    # Hex text with its NUL, then a version-5 record: version, level, valid flags, attrib,
    # create time.
    return b"0x%x\0" % attributes + struct.pack("<HHIIQ", 5, 5, 1, attributes, 0)


class Builder:
    def __init__(self, rng, xattr_percent):
        self.rng = rng
        self.xattr_percent = xattr_percent
        self.count = 0

    def file_size(self):
        r = self.rng.random()
        if r < 0.03:
            return 0
        if r < 0.35:
            return self.rng.randint(1, 1024)
        if r < 0.75:
            return int(2 ** self.rng.uniform(10, 16))
        if r < 0.96:
            return int(2 ** self.rng.uniform(16, 20))
        return int(2 ** self.rng.uniform(20, 23))

    def files(self, folder_fd, how_many, row):
        """Makes HOW_MANY non-folder entries in the folder open as FOLDER_FD."""
        for _ in range(how_many):
            self.count += 1
            hidden = self.rng.random() < 0.03
            name = ("." if hidden else "") + "file-%x%s" % (
                self.count, self.rng.choice(["", ".txt", ".c", ".jpg", ".o", ".tar.gz"]))
            if self.rng.random() < 0.002:
                target = self.rng.choice(["..", "/", "missing"])
                os.symlink(target, name, dir_fd=folder_fd)
                size, attributes = len(target), 0
            else:
                size = self.file_size()
                fd = os.open(name, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o644, dir_fd=folder_fd)
                if size:
                    os.ftruncate(fd, size)
                attributes = self.file_attributes(fd, hidden)
                os.close(fd)
            self.count_file(row, size, hidden, attributes)

    @staticmethod
    def count_file(row, size, hidden, attributes):
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

    def file_attributes(self, fd, hidden):
        if self.rng.random() * 100 >= self.xattr_percent:
            return 0
        attributes = 0x20 | (4 if self.rng.random() < 0.1 else 0) | (2 if hidden else 0)
        return attributes if self.store(fd, attributes) else 0

    def store(self, fd, attributes):
        try:
            os.setxattr(fd, "user.DOSATTRIB", dos_value(attributes))
            return True
        except OSError:
            self.xattr_percent = 0  # no user xattrs on this file system
            return False

    def folder(self, parent_fd, path, row):
        """Makes folder PATH (relative to PARENT_FD), counted in ROW; returns its handle."""
        os.mkdir(path, dir_fd=parent_fd)
        fd = os.open(path, DIR_FLAGS, dir_fd=parent_fd)
        dot = os.path.basename(path).startswith(".")
        row.add("dirs")
        marked = self.xattr_percent and not dot and self.rng.random() < 0.01
        if dot or (marked and self.store(fd, 0x12)):
            row.add("hidden_dirs")
        return fd

    def subtree(self, top_fd, folders, files, row):
        """Makes FOLDERS folders below TOP_FD and spreads FILES files over them and it."""
        paths, depths = [""], [1]
        for k in range(folders):
            at = self.rng.choice(range(max(0, len(paths) - 50), len(paths)))
            if depths[at] >= 8 or self.rng.random() < 0.05:
                at = 0
            hidden = self.rng.random() < 0.02
            path = paths[at] + ("." if hidden else "") + "dir-%x" % k
            os.close(self.folder(top_fd, path, row))
            paths.append(path + "/")
            depths.append(depths[at] + 1)
        counts = spread(files, [self.rng.lognormvariate(0, 1.2) for _ in paths])
        for path, count in zip(paths, counts):
            fd = os.open(path or ".", DIR_FLAGS, dir_fd=top_fd)
            self.files(fd, count, row)
            os.close(fd)


def spread(total, weights):
    """TOTAL split in proportion to WEIGHTS, the rounding left to the first share."""
    whole = sum(weights)
    shares = [int(total * weight / whole) for weight in weights]
    shares[0] += total - sum(shares)
    return shares


def shaped(builder, root_fd, files, folders):
    rng = builder.rng
    start = Row(".")
    builder.files(root_fd, 40, start)
    rows = [start]
    weights = [1.0 / (i + 1) ** 1.1 for i in range(30)]
    rng.shuffle(weights)
    shares = zip(spread(folders - 30, weights), spread(files - 40, weights))
    for i, (subfolders, subfiles) in enumerate(shares):
        name = ("." if i == 3 else "") + "top%02d" % i + (" with spaces" if i == 11 else "")
        row = Row(name)
        top_fd = builder.folder(root_fd, name, start)
        builder.subtree(top_fd, subfolders, subfiles, row)
        os.close(top_fd)
        rows.append(row)
    return rows


def wide(builder, root_fd):
    start = Row(".")
    builder.files(root_fd, 100_000, start)
    return [start]


def deep(builder, root_fd, levels=2000):
    start, chain = Row("."), Row("level-0001")
    builder.files(root_fd, 1, start)
    fd = builder.folder(root_fd, chain.name, start)
    builder.files(fd, 1, chain)
    for level in range(2, levels + 1):
        below = builder.folder(fd, "level-%04d" % level, chain)
        os.close(fd)
        fd = below
        builder.files(fd, 1, chain)
    os.close(fd)
    return [start, chain]


def build(dest, shape, builder):
    os.makedirs(dest)
    root_fd = os.open(dest, DIR_FLAGS)
    try:
        if shape == "wide":
            return wide(builder, root_fd)
        if shape == "deep":
            return deep(builder, root_fd)
        return shaped(builder, root_fd, *SHAPES[shape])
    finally:
        os.close(root_fd)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("dest")
    parser.add_argument("shape", choices=sorted([*SHAPES, "wide", "deep"]))
    parser.add_argument("--seed", type=int, default=7)
    parser.add_argument("--xattr-percent", type=float, default=20)
    args = parser.parse_args()
    builder = Builder(random.Random(f"{args.seed}-{args.shape}"), args.xattr_percent)
    rows = build(args.dest, args.shape, builder)
    with open(args.dest.rstrip("/") + ".rows.tsv", "w") as out:
        out.write("row\t" + "\t".join(FIELDS) + "\n")
        for row in rows:
            out.write(row.name + "\t" + "\t".join(str(row.v[f]) for f in FIELDS) + "\n")


if __name__ == "__main__":
    main()
