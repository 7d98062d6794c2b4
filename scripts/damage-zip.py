#!/usr/bin/env python3
"""Copies a ZIP archive with the stored data of its largest entry garbled.

The directories stay intact, so a reader finds every entry and fails only
while extracting that one: what a payload damaged in transit looks like.

usage: damage-zip.py IN.zip OUT.zip
"""
import struct
import sys
import zipfile


def main(source, target):
    data = bytearray(open(source, "rb").read())
    with zipfile.ZipFile(source) as archive:
        victim = max(archive.infolist(), key=lambda entry: entry.compress_size)
    # The local header's name and extra lengths give where the data starts.
    name_length, extra_length = struct.unpack_from("<HH", data, victim.header_offset + 26)
    start = victim.header_offset + 30 + name_length + extra_length
    middle = start + victim.compress_size // 2
    for i in range(min(64, victim.compress_size // 2)):
        data[middle + i] ^= 0xA5
    open(target, "wb").write(data)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
