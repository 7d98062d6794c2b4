#!/usr/bin/env python3
"""Writes a product tree shaped like a real release, the same bytes from the
same arguments: binaries that barely compress, binaries and data that do,
and many small files, in nested folders, some with Chinese names.

usage: make-product-tree.py [--scale S] [--small-only N] [--base DIR] OUT

--scale 1 gives about 4,100 files and 165 MB; --scale 0.1 every tenth file
of each kind (the same mix at a tenth of the size). --small-only N writes N
small files and nothing else. --base copies a tree (the stand-in product,
so the installer finds its programs) in first. OUT must not exist yet.
"""
import argparse
import os
import random
import shutil
import sys

SEED = 2329
KIB = 1024
# Folder names a Chinese release carries beside plain ones.
FOLDERS = ["皮肤", "插件", "语言包", "播放器", "缓存模板", "images", "plugins", "codecs", "locale", "web",
           "字幕", "themes", "资源"]
WORDS = [b"talvek ", b"video ", b"player ", b"search ", b"<div class=\"item\">", b"</span>", b"margin: 0px;",
         b"\r\n", b"function(", b"return ", b"0x00000000, ", b"\xe6\x92\xad\xe6\x94\xbe", b"width=\"100%\" "]


def text_block(rng, size):
    out = bytearray()
    while len(out) < size:
        out += rng.choice(WORDS)
    return bytes(out[:size])


class Contents:
    """File bodies from 1 KiB pieces: fresh random pieces (incompressible)
    or pieces from a small shared vocabulary (compressible)."""

    def __init__(self, rng):
        self.rng = rng
        self.vocabulary = [text_block(rng, KIB) for _ in range(64)] + [rng.randbytes(KIB) for _ in range(64)]

    def body(self, size, random_share):
        rng = self.rng
        pieces = []
        for _ in range((size + KIB - 1) // KIB):
            pieces.append(rng.randbytes(KIB) if rng.random() < random_share else rng.choice(self.vocabulary))
        return b"".join(pieces)[:size]


def folder_path(rng, depth_limit):
    depth = rng.randint(1, depth_limit)
    return "/".join(rng.choice(FOLDERS) + ("" if rng.random() < 0.6 else str(rng.randint(1, 9)))
                    for _ in range(depth))


def folder_set(rng, count):
    """A fixed set of nested folders that files are spread over, so folders
    stay a small share of the entries as in a real release."""
    return sorted({folder_path(rng, 4) for _ in range(count)})


def plan(rng, scale):
    """(relative path, size, random share) of every file. At a tenth, the
    few large files are a tenth of their size and of every other kind every
    tenth file is kept, so counts and bytes both shrink tenfold."""
    tenth = scale != 1.0
    files = []
    # Poorly compressible: a few large engines, program files, codecs.
    for i, size in enumerate([24_000_000, 14_000_000, 9_000_000]):
        files.append((f"Auxiliary/engine{i}.dll", size // 10 if tenth else size, 0.92))
    folders = folder_set(rng, 30 if tenth else 300)
    others = []
    for i in range(40):
        others.append((f"{rng.choice(folders)}/module{i:03d}.dll", rng.randint(200 * KIB, 900 * KIB), 0.9))
    # Compressible: resources, data files, scripts.
    for i in range(160):
        others.append((f"{rng.choice(folders)}/资源{i:03d}.dat", rng.randint(100 * KIB, 700 * KIB), 0.3))
    # Many small files: pages, images, strings.
    for i in range(3900):
        name = f"文件{i:04d}.txt" if i % 3 == 0 else f"part{i:04d}.html"
        others.append((f"{rng.choice(folders)}/{name}", rng.randint(KIB, 11 * KIB), 0.15))
    return files + (others[5::10] if tenth else others)


def small_plan(rng, count):
    folders = folder_set(rng, max(1, count // 15))
    return [(f"{rng.choice(folders)}/{'小文件' if i % 2 else 'small'}{i:05d}.txt", rng.randint(0, 3 * KIB), 0.2)
            for i in range(count)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--scale", type=float, default=1.0, choices=[1.0, 0.1])
    parser.add_argument("--small-only", type=int, default=0)
    parser.add_argument("--base")
    parser.add_argument("out")
    args = parser.parse_args()
    if os.path.exists(args.out):
        print(f"{args.out} exists already", file=sys.stderr)
        return 1
    rng = random.Random(SEED)
    files = small_plan(rng, args.small_only) if args.small_only else plan(rng, args.scale)
    if args.base:
        shutil.copytree(args.base, args.out)
    os.makedirs(args.out, exist_ok=True)
    contents = Contents(rng)
    total = 0
    for path, size, random_share in files:
        full = os.path.join(args.out, *path.split("/"))
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as f:
            f.write(contents.body(size, random_share))
        total += size
    print(f"{len(files)} files, {total / 1e6:.1f} MB written to {args.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
