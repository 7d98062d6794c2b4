"""Reads the installer's log, %TEMP%\\TalvekSetup.log in the prefix, as a
support person would get it: UTF-8 with a byte-order mark, one line per
step in columns "time | step | result | took | details"."""
import collections
import os

from prefix_state import user_paths

NAME = "TalvekSetup.log"
BOM = b"\xef\xbb\xbf"

Entry = collections.namedtuple("Entry", "at_ms step result took_ms detail")


def paths(name=NAME):
    return user_paths("AppData", "Local", "Temp", name) + user_paths("Temp", name)


def remove(name=NAME):
    for path in paths(name):
        if os.path.exists(path):
            os.remove(path)


def raw(name=NAME):
    """The file's bytes, b"" when there is no log (the remover's log is
    another name)."""
    for path in paths(name):
        if os.path.exists(path):
            with open(path, "rb") as f:
                return f.read()
    return b""


def parse(data):
    """Entries of the log bytes; the header and the closing line are not
    entries."""
    text = data[len(BOM):].decode("utf-8") if data.startswith(BOM) else data.decode("utf-8")
    entries = []
    for line in text.split("\r\n")[1:]:
        fields = line.split(" | ", 4)
        if len(fields) < 3 or not fields[0].strip().endswith(" ms"):
            continue
        fields += [""] * (5 - len(fields))
        took = fields[3].strip()
        entries.append(Entry(int(fields[0].split()[0]), fields[1].strip(), fields[2].strip(),
                             int(took.split()[0]) if took else None, fields[4]))
    return entries


def entries():
    return parse(raw())


def steps(of=None):
    """(step, result) pairs; status lines give ("status", their text)."""
    return [(e.step, e.detail if e.step == "status" else e.result) for e in (of if of is not None else entries())]
