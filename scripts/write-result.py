#!/usr/bin/env python3
"""Writes a one-case JUnit file for a suite that only has an exit code.

usage: write-result.py OUT.xml NAME EXIT_CODE LOG
"""
import sys
from xml.sax.saxutils import escape

out, name, code, log = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
failure = ""
if code != 0:
    try:
        tail = open(log, errors="replace").read()[-4000:]
    except OSError:
        tail = ""
    failure = f'<failure message="exit code {code}">{escape(tail)}</failure>'
with open(out, "w") as f:
    f.write(f'<testsuite name="{name}" tests="1"><testcase name="{name}">{failure}</testcase></testsuite>\n')
