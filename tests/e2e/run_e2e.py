#!/usr/bin/env python3
"""Runs the end-to-end tests (tests/e2e/test_*.py) and writes JUnit XML.

Expects the Wine environment of scripts/wine-env.sh and a DISPLAY (the
test runner provides both).
"""
import argparse
import ast
import fnmatch
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


def claim_next(queue):
    """The next test file of a queue folder shared by several runners, or
    None: a rename succeeds for one runner only."""
    for name in sorted(os.listdir(queue)):
        if not name.endswith(".py"):
            continue
        mine = os.path.join(queue, name + f".{os.getpid()}")
        try:
            os.rename(os.path.join(queue, name), mine)
        except OSError:
            continue
        with open(mine) as f:
            return f.read().strip()
    return None


# Files with several whole installations or long waits: taken first, so no
# runner is left with a long file at the end while the others idle.
SLOWEST_FIRST = ("test_display_scale.py", "test_rollback.py", "test_accessibility.py", "test_installation.py",
                 "test_install_log.py", "test_foreign_processes.py", "test_installing_view.py",
                 "test_shortcut_options.py", "test_many_files.py", "test_reference_screens.py",
                 "test_planted_libraries.py", "test_planted_links.py")
# The longest files go into the queue test by test, so that runners share
# them: each alone is longer than most other files together take on a runner.
SPLIT_BY_TEST = ("test_display_scale.py", "test_rollback.py", "test_accessibility.py", "test_installation.py")


def test_names(file):
    """module.Class.test for each test method of file, in the loader's
    order, read from the source (importing a test module needs Wine's
    environment)."""
    with open(os.path.join(HERE, file)) as f:
        tree = ast.parse(f.read())
    module = file[:-len(".py")]
    names = []
    for node in tree.body:
        if isinstance(node, ast.ClassDef):
            tests = sorted(item.name for item in node.body
                           if isinstance(item, ast.FunctionDef) and item.name.startswith("test"))
            names += [f"{module}.{node.name}.{test}" for test in tests]
    return names or [file]


def make_queue(queue, patterns):
    """A queue folder of the test files matching any of patterns (the
    longest split into their tests), the slowest first."""
    found = sorted(name for name in os.listdir(HERE) if any(fnmatch.fnmatch(name, p) for p in patterns))
    files = [name for name in SLOWEST_FIRST if name in found] + [name for name in found if name not in SLOWEST_FIRST]
    entries = [entry for file in files for entry in (test_names(file) if file in SPLIT_BY_TEST else [file])]
    os.makedirs(queue, exist_ok=True)
    for index, entry in enumerate(entries):
        with open(os.path.join(queue, f"{index:03d}.py"), "w") as f:
            f.write(entry)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--results")
    parser.add_argument("--queue", help="a folder of test files to take one at a time, shared with other runners")
    parser.add_argument("--make-queue", action="store_true", help="fill --queue with the files of the patterns and end")
    parser.add_argument("patterns", nargs="*", default=["test_*.py"])
    args = parser.parse_args()
    if args.make_queue:
        make_queue(args.queue, args.patterns)
        return 0
    sys.path.insert(0, HERE)
    runner = unittest.TextTestRunner(resultclass=RecordingResult, verbosity=2, stream=sys.stdout)
    cases, ok = [], True
    patterns = iter(lambda: claim_next(args.queue), None) if args.queue else args.patterns
    for pattern in patterns:
        started = time.monotonic()
        if pattern.endswith(".py"):
            suite = unittest.defaultTestLoader.discover(HERE, pattern=pattern, top_level_dir=HERE)
        else:
            suite = unittest.defaultTestLoader.loadTestsFromName(pattern)
        result = runner.run(suite)
        print(f"[e2e] {pattern}: {time.monotonic() - started:.0f} s", flush=True)
        cases += result.cases
        ok = ok and result.wasSuccessful()
    write_junit(args.results, cases)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
