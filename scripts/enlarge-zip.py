#!/usr/bin/env python3
"""Copies a ZIP archive and adds a folder "Large/" of many small files, so
an extraction of it lasts long enough to be cut short on purpose.

usage: enlarge-zip.py IN.zip OUT.zip [FILES]
"""
import random
import sys
import zipfile


def main(source, target, count):
    rng = random.Random(6011)
    # Written afresh, entry by entry: appending to a recompressed archive
    # leaves headers some readers refuse.
    with zipfile.ZipFile(source) as original, zipfile.ZipFile(target, "w") as archive:
        for info in original.infolist():
            data = original.read(info)
            info.compress_type = zipfile.ZIP_DEFLATED if data else zipfile.ZIP_STORED
            archive.writestr(info, data)
        folder = zipfile.ZipInfo("Large/", date_time=(2020, 1, 1, 0, 0, 0))
        folder.external_attr = 0x10
        archive.writestr(folder, b"")
        for i in range(count):
            entry = zipfile.ZipInfo(f"Large/part{i:05d}.dat", date_time=(2020, 1, 1, 0, 0, 0))
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, rng.randbytes(6000) + b"talvek " * 300)


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]) if len(sys.argv) == 4 else 4000)
