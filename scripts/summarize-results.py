#!/usr/bin/env python3
"""Sums the JUnit-style result files of every suite into one closing line.

usage: summarize-results.py SUITE=FILE ...

A suite whose file is missing or unreadable counts as one failed test: a
crash that wrote no results must never read as success.
"""
import re
import sys
import xml.etree.ElementTree as ET


failures = []


def describe(case, problem):
    """One line naming a failed case, so a CI log alone says what broke."""
    text = (problem.get("message") or problem.text or "").strip().splitlines()
    if text and text[0].startswith("Traceback"):
        # A Python traceback says what broke in its last lines, from the
        # exception's own line on (an assertion's difference spans several).
        raised = max((i for i, line in enumerate(text) if re.match(r"[A-Za-z_][\w.]*(:|$)", line)), default=0)
        text = [" | ".join(line.strip() for line in text[raised:raised + 8])]
    where = f"{case.get('classname', '')}.{case.get('name', '')}".strip(".")
    return f"{where}: {text[0][:600] if text else 'failed'}"


def count(path):
    root = ET.parse(path).getroot()
    suites = [root] if root.tag == "testsuite" else root.findall("testsuite")
    tests = failed = skipped = 0
    for suite in suites:
        for case in suite.iter("testcase"):
            tests += 1
            problem = case.find("failure")
            if problem is None:
                problem = case.find("error")
            if problem is not None:
                failed += 1
                failures.append(describe(case, problem))
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
    for failure in failures[:30]:
        print(f"  FAILED {failure}")
    line = f"{passed} passed, {failed} failed"
    if skipped:
        line += f", {skipped} skipped"
    print(line)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
