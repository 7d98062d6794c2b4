#!/usr/bin/env python3
"""Deflates a file for linking into the executable: its length as four
little-endian bytes, then the zlib stream of its bytes.

The stream comes from advdef's exhaustive deflate when advdef is there
(about 3 % smaller than zlib's level 9, which the executable's size budget
feels), checked to inflate back to the same bytes; otherwise from zlib at
level 9. Either way the same input always gives the same output, so the
build stays reproducible.

usage: deflate-blob.py IN OUT
"""
import gzip
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

GZIP_HEADER_BYTES = 10
GZIP_TRAILER_BYTES = 8
ZLIB_HEADER_BEST = b"\x78\xda"


def exhaustive_stream(data):
    """The zlib stream of data through advdef, or None when that fails."""
    advdef = shutil.which("advdef")
    if advdef is None:
        return None
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "blob.gz")
        with open(path, "wb") as out:
            out.write(gzip.compress(data, 9, mtime=0))
        if subprocess.run([advdef, "-q", "-z", "-4", path], timeout=600).returncode != 0:
            return None
        packed = open(path, "rb").read()
    if len(packed) < GZIP_HEADER_BYTES + GZIP_TRAILER_BYTES or packed[3] != 0:
        return None  # a header with optional fields: not worth parsing
    stream = ZLIB_HEADER_BEST + packed[GZIP_HEADER_BYTES:-GZIP_TRAILER_BYTES] + struct.pack(">I", zlib.adler32(data))
    try:
        if zlib.decompress(stream) != data:
            return None
    except zlib.error:
        return None
    return stream


def main(source, target):
    data = open(source, "rb").read()
    stream = exhaustive_stream(data) or zlib.compress(data, 9)
    with open(target, "wb") as out:
        out.write(struct.pack("<I", len(data)))
        out.write(stream)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
