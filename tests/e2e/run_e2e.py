#!/usr/bin/env python3
"""Runs the end-to-end tests (tests/e2e/test_*.py) and writes JUnit XML.

Expects the Wine environment of scripts/wine-env.sh and a DISPLAY (the
test runner provides both).
"""
import argparse
import os
import sys
import time
import unittest
from xml.sax.saxutils import escape, quoteattr

HERE = os.path.dirname(os.path.abspath(__file__))


class RecordingResult(unittest.TextTestResult):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.cases = []
        self._started = 0.0

    def startTest(self, test):
        self._started = time.monotonic()
        super().startTest(test)

    def _record(self, test, outcome, detail=""):
        self.cases.append((test.id(), outcome, detail, time.monotonic() - self._started))

    def addSuccess(self, test):
        super().addSuccess(test)
        self._record(test, "pass")

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self._record(test, "failure", self._exc_info_to_string(err, test))

    def addError(self, test, err):
        super().addError(test, err)
        self._record(test, "failure", self._exc_info_to_string(err, test))

    def addSkip(self, test, reason):
        super().addSkip(test, reason)
        self._record(test, "skipped", reason)


def write_junit(path, cases):
    failures = sum(1 for c in cases if c[1] == "failure")
    lines = [f'<testsuite name="e2e" tests="{len(cases)}" failures="{failures}">']
    for name, outcome, detail, seconds in cases:
        body = ""
        if outcome == "failure":
            body = f"<failure>{escape(detail)}</failure>"
        elif outcome == "skipped":
            body = f"<skipped message={quoteattr(detail)}/>"
        lines.append(f'  <testcase name={quoteattr(name)} time="{seconds:.3f}">{body}</testcase>')
    lines.append("</testsuite>")
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--results", required=True)
    parser.add_argument("pattern", nargs="?", default="test_*.py")
    args = parser.parse_args()
    sys.path.insert(0, HERE)
    suite = unittest.defaultTestLoader.discover(HERE, pattern=args.pattern, top_level_dir=HERE)
    runner = unittest.TextTestRunner(resultclass=RecordingResult, verbosity=2, stream=sys.stdout)
    result = runner.run(suite)
    write_junit(args.results, result.cases)
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
