#!/usr/bin/env python3
"""Sums the JUnit-style result files of every suite into one closing line.

usage: summarize-results.py SUITE=FILE ...

A suite whose file is missing or unreadable counts as one failed test: a
crash that wrote no results must never read as success.
"""
import sys
import xml.etree.ElementTree as ET


def count(path):
    root = ET.parse(path).getroot()
    suites = [root] if root.tag == "testsuite" else root.findall("testsuite")
    tests = failed = skipped = 0
    for suite in suites:
        for case in suite.iter("testcase"):
            tests += 1
            if case.find("failure") is not None or case.find("error") is not None:
                failed += 1
            elif case.find("skipped") is not None or case.get("result") == "suppressed":
                skipped += 1
    return tests - failed - skipped, failed, skipped


def main():
    passed = failed = skipped = 0
    for arg in sys.argv[1:]:
        name, _, path = arg.partition("=")
        try:
            p, f, s = count(path)
        except (OSError, ET.ParseError) as error:
            print(f"  {name}: no results ({error.__class__.__name__}) - counted as 1 failure")
            p, f, s = 0, 1, 0
        print(f"  {name}: {p} passed, {f} failed" + (f", {s} skipped" if s else ""))
        passed, failed, skipped = passed + p, failed + f, skipped + s
    line = f"{passed} passed, {failed} failed"
    if skipped:
        line += f", {skipped} skipped"
    print(line)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
