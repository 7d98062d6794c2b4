"""Fails the link of an executable in which any code other than a late-load
stub reads a late-loaded library's import slot (a call through a function
declared as imported): such a call can jump through a slot the loader has
clobbered. Reads the cross-reference table of the linker's map.

usage: check_late_imports.py MAP LIBRARY...
"""
import re
import sys


def references(lines):
    """(symbol, defining file, referencing files) from the cross-reference
    table: a symbol's line starts at column 0 with the defining file after
    it (or on the next line when the name is long), each further file on a
    line of its own."""
    table = False
    symbol, files = None, []
    for line in lines:
        line = line.rstrip("\n")
        if not table:
            table = line.startswith("Cross Reference Table")
            continue
        if not line.strip() or line.startswith("Symbol "):
            continue
        if not line[0].isspace():
            if symbol:
                yield symbol, files[0] if files else "", files[1:]
            parts = line.split(None, 1)
            symbol, files = parts[0], parts[1:]
        elif symbol:
            files.append(line.strip())
    if symbol:
        yield symbol, files[0] if files else "", files[1:]
    if not table:
        raise ValueError("the map has no cross-reference table (link with --cref)")


def misuses(lines, libraries):
    archives = [re.compile(r"(^|[/\\])lib%s_delay\.a\(" % re.escape(name)) for name in libraries]
    for symbol, definer, users in references(lines):
        if not symbol.lstrip("_").startswith("imp_"):
            continue
        archive = next((a for a in archives if a.search(definer)), None)
        if archive is None:
            continue
        own = definer.split("(", 1)[0]
        for user in users:
            if user.split("(", 1)[0] != own:
                yield symbol, user


def main():
    path, libraries = sys.argv[1], sys.argv[2:]
    with open(path, encoding="utf-8", errors="replace") as map_file:
        found = list(misuses(map_file, libraries))
    for symbol, user in found:
        print(f"{user}: calls through {symbol} directly; include toolkit/core/LateLoadedApis.h "
              "so the call goes through the late-load stub", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
