#!/usr/bin/env python3
"""The installer around a product of real size, and the same at a tenth of
it: extraction against minizip's miniunz under Wine and native unzip on the
same archive, install click to exit, the installer's peak memory, and how
the ring kept moving while the archive was extracted. Each figure is printed
beside its target; nothing here passes or fails.

The product trees come from scripts/make-product-tree.py (seeded), packed by
payload_zip at level 9; the installers are linked around them through
TALVEK_PAYLOAD_ZIP into build/bench-large/ (the build's own cache is put
back afterwards). Everything generated stays under build/bench-large.

usage (after ./dev build; pinned, as the targets are meant):
    taskset -c 1 bash bench/large_product_bench.sh [--reps N] [--sizes full,tenth] [--reuse-installers] [--evidence]
        [--before DIR]
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import threading
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import install_log  # noqa: E402
import installer_window as w  # noqa: E402
import prefix_state as state  # noqa: E402
from wine_driver import BUILD, end_all_wine_programs, wait_until  # noqa: E402

WORK = os.path.join(BUILD, "bench-large")
WIN_BUILD = os.path.join(BUILD, "win")
BENCH_BIN = os.path.join(WIN_BUILD, "bench")
SIZES = {"full": "1.0", "tenth": "0.1"}
EPOCH = "1577836800"
# The ring's rectangle, window-relative, with a margin (RING_CENTRE).
RING_BOX = (w.RING_CENTRE[0] - 45, w.RING_CENTRE[1] - 45, 90, 90)
INSTALL_SECONDS = 300
MIB = 1024 * 1024


def sh(command, timeout, **options):
    return subprocess.run(command, check=True, timeout=timeout, **options)


def payload_for(label):
    """The packed archive of one size, made once."""
    payload = os.path.join(WORK, f"payload-{label}.zip")
    if os.path.exists(payload):
        return payload
    tree = os.path.join(WORK, f"product-{label}")
    shutil.rmtree(tree, ignore_errors=True)
    sh([sys.executable, os.path.join(ROOT, "scripts", "make-product-tree.py"), "--scale", SIZES[label],
        "--base", os.path.join(WIN_BUILD, "assets", "product"), tree], 600)
    env = dict(os.environ, SOURCE_DATE_EPOCH=EPOCH)
    sh([os.path.join(BUILD, "host", "tools", "payload_zip"), "--level", "9", tree, payload + ".part"], 1800,
       env=env, stdout=subprocess.DEVNULL)
    os.replace(payload + ".part", payload)
    shutil.rmtree(tree, ignore_errors=True)
    return payload


def cache_value(name):
    with open(os.path.join(WIN_BUILD, "CMakeCache.txt"), encoding="utf-8") as cache:
        for line in cache:
            if line.startswith(name + ":"):
                return line.split("=", 1)[1].strip()
    return ""


def build_installers(labels):
    """One installer per size through TALVEK_PAYLOAD_ZIP, into its own folder."""
    dist_dir = cache_value("TALVEK_DIST_DIR")
    installers = {}
    try:
        for label in labels:
            out = os.path.join(WORK, f"dist-{label}")
            sh(["cmake", WIN_BUILD, f"-DTALVEK_PAYLOAD_ZIP={payload_for(label)}", f"-DTALVEK_DIST_DIR={out}"], 300,
               stdout=subprocess.DEVNULL)
            sh(["cmake", "--build", WIN_BUILD, "-j2", "--target", "TalvekSetup"], 1800, stdout=subprocess.DEVNULL)
            installers[label] = os.path.join(out, "TalvekSetup.exe")
    finally:
        sh(["cmake", WIN_BUILD, "-DTALVEK_PAYLOAD_ZIP=", f"-DTALVEK_DIST_DIR={dist_dir}"], 300,
           stdout=subprocess.DEVNULL)
    return installers


def ring_watcher():
    sh(["cmake", "--build", os.path.join(BUILD, "host"), "--target", "ring_watch"], 600, stdout=subprocess.DEVNULL)
    return os.path.join(BUILD, "host", "tests", "ring_watch")


def timed(command, timeout=INSTALL_SECONDS):
    start = time.monotonic()
    subprocess.run(command, check=True, timeout=timeout, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   stdin=subprocess.DEVNULL)
    return (time.monotonic() - start) * 1000


def winpath(path):
    return "Z:" + path.replace("/", "\\")


def reference_runs(payload, reps):
    """miniunz under Wine and native unzip, each a whole process, on disk."""
    out = os.path.join(WORK, "out")
    figures = {"miniunz": [], "unzip": []}
    for _ in range(reps):
        shutil.rmtree(out, ignore_errors=True)
        os.makedirs(out)
        figures["miniunz"].append(timed(["wine", os.path.join(BENCH_BIN, "miniunz.exe"), "-o", "-x", winpath(payload),
                                         "-d", winpath(out)]))
        shutil.rmtree(out, ignore_errors=True)
        figures["unzip"].append(timed(["unzip", "-q", "-o", payload, "-d", out]))
    shutil.rmtree(out, ignore_errors=True)
    return figures


def progress_counts(payload):
    """Progress reports of the extractor and updates that reach the ring, by
    the installer's own progress route inside extract_bench."""
    out = os.path.join(WORK, "out")
    shutil.rmtree(out, ignore_errors=True)
    text = subprocess.run(["wine", os.path.join(BENCH_BIN, "extract_bench.exe"), "extract", winpath(payload),
                           winpath(out)], capture_output=True, timeout=INSTALL_SECONDS, check=False).stdout.decode()
    shutil.rmtree(out, ignore_errors=True)
    counts = dict(re.findall(r"^(\w+) ([\d.]+)\s*$", text, re.M))
    return {k: float(v) for k, v in counts.items()}


class MemoryPeak:
    """Peak anonymous (private) resident memory and peak working set of the
    installer's Wine process, sampled every 20 ms."""

    def __init__(self):
        self.private_kib = 0
        self.working_set_kib = 0
        self.running = True
        self.thread = threading.Thread(target=self.sample, daemon=True)
        self.thread.start()

    def sample(self):
        while self.running:
            for pid in state.running_programs("TalvekSetup.exe"):
                try:
                    fields = dict(line.split(":", 1) for line in open(f"/proc/{pid}/status"))
                except (OSError, ValueError):
                    continue
                kib = lambda name: int(fields.get(name, "0 kB").split()[0])  # noqa: E731
                self.private_kib = max(self.private_kib, kib("RssAnon") + kib("VmSwap"))
                self.working_set_kib = max(self.working_set_kib, kib("VmHWM"))
            time.sleep(0.02)

    def stop(self):
        self.running = False
        self.thread.join(5)


def warm_start():
    """No program running, a warm wineserver and Wine's own services up, as
    on a user's desktop; the first start of a prefix takes long."""
    end_all_wine_programs()
    subprocess.run(["wineserver", "-p"], timeout=30)
    subprocess.run(["wine", "cmd", "/c", "exit"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)


def installer_run(exe, watcher, evidence=None):
    """One install; with `evidence`, a folder kept for reading afterwards:
    the install log and every picture of the ring seen, numbered in order."""
    warm_start()
    state.forget_installation()
    install_log.remove()
    window = w.InstallerWindow(exe=exe, log_name="bench-large").wait_shown(300)
    x, y, _, _ = window.geometry()
    frames = []
    if evidence:
        shutil.rmtree(evidence, ignore_errors=True)
        os.makedirs(evidence)
        frames = [evidence]
    watch = subprocess.Popen(["taskset", "-c", "0", watcher, str(x + RING_BOX[0]), str(y + RING_BOX[1]),
                              str(RING_BOX[2]), str(RING_BOX[3]), str(INSTALL_SECONDS)] + frames,
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    memory = MemoryPeak()
    window.move_to(w.INSTALL_BUTTON)
    w.xdotool("mousedown", "1")
    w.xdotool("mouseup", "1")
    clicked = time.monotonic() * 1000
    wait_until(window.exited, INSTALL_SECONDS, interval=0.01)
    exited = time.monotonic() * 1000
    memory.stop()
    watch.terminate()
    changes = [float(line) for line in watch.communicate(timeout=30)[0].decode().split()]
    entries = {e.step: e for e in install_log.entries()}
    extract = entries["extract"]
    # Log times count from the process start; the click anchors them.
    start_ms = clicked + (extract.at_ms - extract.took_ms - entries["install button"].at_ms)
    end_ms = start_ms + extract.took_ms
    inside = [start_ms] + [t for t in changes if start_ms < t < end_ms] + [end_ms]
    gaps = [b - a for a, b in zip(inside, inside[1:])]
    longest = max(range(len(gaps)), key=gaps.__getitem__)
    if evidence:
        with open(os.path.join(evidence, "TalvekSetup.log"), "wb") as log:
            log.write(install_log.raw())
        with open(os.path.join(evidence, "changes.txt"), "w") as listing:
            listing.write(f"extraction {start_ms:.1f} to {end_ms:.1f}\n" + "".join(f"{t:.1f}\n" for t in changes))
    shutil.rmtree(state.DEFAULT_DIR, ignore_errors=True)
    return {"extract": extract.took_ms, "click to exit": exited - clicked, "private": memory.private_kib,
            "working set": memory.working_set_kib, "ring changes": len(inside) - 2, "longest gap": gaps[longest],
            "gap from": inside[longest] - start_ms}


def archive_figures(payload):
    import zipfile
    with zipfile.ZipFile(payload) as archive:
        infos = archive.infolist()
    return len(infos), sum(i.file_size for i in infos) / 1e6, os.path.getsize(payload) / 1e6


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--reps", type=int, default=3)
    parser.add_argument("--sizes", default="full,tenth")
    parser.add_argument("--reuse-installers", action="store_true", help="run the installers built last time")
    parser.add_argument("--evidence", action="store_true",
                        help="keep each run's install log and ring pictures in build/bench-large/evidence-SIZE-N")
    parser.add_argument("--before", metavar="DIR",
                        help="another build's installers (DIR/dist-SIZE/TalvekSetup.exe, as this bench leaves them), "
                             "run in turn with these ones")
    args = parser.parse_args()
    labels = args.sizes.split(",")
    os.makedirs(WORK, exist_ok=True)
    if args.reuse_installers:
        installers = {label: os.path.join(WORK, f"dist-{label}", "TalvekSetup.exe") for label in labels}
    else:
        installers = build_installers(labels)
    watcher = ring_watcher()
    results = {}
    for label in labels:
        payload = payload_for(label)
        runs, before_runs = [], []
        for n in range(args.reps):
            # In turn, so that a machine busy for a while weighs on both alike.
            if args.before:
                before_runs.append(installer_run(os.path.join(args.before, f"dist-{label}", "TalvekSetup.exe"), watcher))
            runs.append(installer_run(installers[label], watcher,
                                      os.path.join(WORK, f"evidence-{label}-{n}") if args.evidence else None))
        end_all_wine_programs()
        references = reference_runs(payload, args.reps)
        counts = progress_counts(payload)
        end_all_wine_programs()
        median = lambda name: statistics.median(r[name] for r in runs)  # noqa: E731
        entries, megabytes, packed = archive_figures(payload)
        results[label] = {
            "entries": entries, "megabytes": megabytes, "packed": packed,
            "extract": median("extract"), "miniunz": statistics.median(references["miniunz"]),
            "unzip": statistics.median(references["unzip"]), "click to exit": median("click to exit"),
            "private": max(r["private"] for r in runs) / 1024, "working set": max(r["working set"] for r in runs) / 1024,
            "ring changes": median("ring changes"), "longest gap": max(r["longest gap"] for r in runs),
            "gap from": max(runs, key=lambda r: r["longest gap"])["gap from"],
            "reports": counts.get("progress_reports"), "updates": counts.get("ring_updates"),
            "windowless": counts.get("extract"),
            "between reports": counts.get("longest_between_reports"), "ended at": counts.get("longest_ended_at_percent"),
        }
        if before_runs:
            results[label]["before"] = statistics.median(r["extract"] for r in before_runs)
            results[label]["before gap"] = max(r["longest gap"] for r in before_runs)
    print(f"median of {args.reps} runs each; extraction on disk; miniunz and unzip as whole processes")
    print("%-44s" % "figure" + "".join("%16s" % label for label in labels) + "   target")
    rows = [
        ("entries / MB extracted / MB archive", lambda r: f"{r['entries']}/{r['megabytes']:.0f}/{r['packed']:.0f}", ""),
        ("installer extraction (install log)", lambda r: f"{r['extract'] / 1000:.2f} s", ""),
        ("the same without the window (extract_bench)",
         lambda r: f"{r['windowless'] / 1000:.2f} s" if r["windowless"] else "n/a", ""),
        ("miniunz under Wine", lambda r: f"{r['miniunz'] / 1000:.2f} s", ""),
        ("native unzip", lambda r: f"{r['unzip'] / 1000:.2f} s", ""),
        ("extraction / miniunz", lambda r: f"{r['extract'] / r['miniunz']:.2f}", "<= 1.15"),
        ("install click to exit", lambda r: f"{r['click to exit'] / 1000:.2f} s", ""),
        ("peak private memory (anonymous resident)", lambda r: f"{r['private']:.1f} MiB", "<= 64 MiB"),
        ("peak working set", lambda r: f"{r['working set']:.1f} MiB", ""),
        ("progress reports / updates of the ring",
         lambda r: f"{r['reports'] or 0:.0f}/{r['updates'] or 0:.0f}" if r["updates"] else "n/a", ""),
        ("longest wait between reports, ended at %",
         lambda r: f"{r['between reports']:.0f} ms, {r['ended at'] or 0:.0f}" if r["between reports"] else "n/a", ""),
        ("visible ring changes while extracting", lambda r: f"{r['ring changes']:.0f}", ""),
        ("longest gap between them (worst run)", lambda r: f"{r['longest gap']:.0f} ms", "<= 250 ms"),
        ("  it began, after the extraction's start", lambda r: f"{r['gap from']:.0f} ms", ""),
        ("extraction per entry", lambda r: f"{r['extract'] / r['entries']:.3f} ms", ""),
        ("extraction per MB extracted", lambda r: f"{r['extract'] / r['megabytes']:.1f} ms", ""),
    ]
    if args.before:
        rows[2:2] = [("the same, the build in --before", lambda r: f"{r['before'] / 1000:.2f} s", ""),
                     ("  its longest gap between ring changes", lambda r: f"{r['before gap']:.0f} ms", "")]
    for name, cell, target in rows:
        print("%-44s" % name + "".join("%16s" % cell(results[label]) for label in labels) + f"   {target}")
    if "full" in results and "tenth" in results:
        full, tenth = results["full"], results["tenth"]
        per_entry = (full["extract"] / full["entries"]) / (tenth["extract"] / tenth["entries"])
        per_mb = (full["extract"] / full["megabytes"]) / (tenth["extract"] / tenth["megabytes"])
        print(f"cost per entry, full / tenth: {per_entry:.2f}; per MB: {per_mb:.2f}   target: each within 0.80-1.20")
        if args.before:
            before_entry = (full["before"] / full["entries"]) / (tenth["before"] / tenth["entries"])
            before_mb = (full["before"] / full["megabytes"]) / (tenth["before"] / tenth["megabytes"])
            print(f"  the build in --before: per entry {before_entry:.2f}; per MB {before_mb:.2f}")
        # The line through both sizes: its slope is what one more entry (or
        # MB) costs, where it meets zero what every extraction pays once.
        extra_entries = full["entries"] - tenth["entries"]
        marginal = (full["extract"] - tenth["extract"]) / extra_entries
        fixed = tenth["extract"] - marginal * tenth["entries"]
        marginal_mb = (full["extract"] - tenth["extract"]) / (full["megabytes"] - tenth["megabytes"])
        print(f"marginal cost between the sizes: {marginal:.3f} ms per entry, {marginal_mb:.1f} ms per MB; "
              f"once per extraction: {fixed:.0f} ms")
    return 0


if __name__ == "__main__":
    sys.exit(main())
