#!/usr/bin/env python3
"""Deflates a file for linking into the executable: its length as four
little-endian bytes, then the zlib stream of its bytes (level 9).

The same input always gives the same output, so the build stays
reproducible.

usage: deflate-blob.py IN OUT
"""
import struct
import sys
import zlib


def main(source, target):
    data = open(source, "rb").read()
    with open(target, "wb") as out:
        out.write(struct.pack("<I", len(data)))
        out.write(zlib.compress(data, 9))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
