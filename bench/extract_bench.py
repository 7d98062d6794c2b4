#!/usr/bin/env python3
"""Extraction benchmark: the installer's ZIP component against minizip's own
miniunz, both built from the same sources, each as a whole process under Wine,
alternately, on tmpfs and on disk. Prints medians and the ratio ours/miniunz,
the in-process floor, and the memory growth while writing the archive.

usage: bench/extract_bench.py [--reps N] [--keep-aside-only [--before EXE]]   (after ./dev build)
"""
import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
BUILD = os.environ.get("TALVEK_BUILD_DIR", os.path.join(ROOT, "build"))
WORK = os.path.join(BUILD, "bench-extract")
BENCH_BIN = os.path.join(BUILD, "win", "bench")
PIN = ["taskset", "-c", "1"] if shutil.which("taskset") and os.cpu_count() > 1 else []


def wine_env():
    env = dict(os.environ)
    env.update(WINEPREFIX=os.path.join(BUILD, "wine", "bench"), WINEARCH="win32", WINEDEBUG="-all",
               WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d", LANG="zh_CN.UTF-8",
               LC_ALL="zh_CN.UTF-8")
    env["HOME"] = env["WINEPREFIX"] + ".home"
    return env


def make_product_tree(root):
    """A tree shaped like the product: 103 entries, about 11 MB, half of it
    binary that barely compresses, half text and images that do."""
    rng = random.Random(1635)
    if os.path.isdir(root):
        return
    dirs = ["Auxiliary/", "Auxiliary/src/", "images/", "images/Guide/", "play/", "play/local/", "Cache/"]
    files = []
    for i in range(12):
        files.append((f"Auxiliary/lib{i:02d}.dll", 420_000, 0.35))
    for i in range(30):
        files.append((f"Auxiliary/src/button{i:02d}.png", 9_000, 0.9))
    for i in range(20):
        files.append((f"images/ui{i:02d}.dll", 60_000, 0.6))
    for i in range(5):
        files.append((f"images/Guide/step{i}.gif", 150_000, 0.8))
    for i in range(18):
        files.append((f"play/local/page{i:02d}.html", 40_000, 0.1))
    files += [("Auxiliary/Pagelens.exe", 200_000, 0.45), ("Auxiliary/netrelay.exe", 150_000, 0.45),
              ("Auxiliary/Beacon.exe", 120_000, 0.45), ("readme.txt", 6_000, 0.05)]
    files += [("Talvek.exe", 2_600_000, 0.45), ("Remover.exe", 300_000, 0.45), ("Freshen.exe", 250_000, 0.45),
              ("Skin.dll", 500_000, 0.6), ("AplayerSkin.dll", 400_000, 0.6), ("play/play.css", 8_000, 0.05),
              ("Auxiliary/cookies.tmp", 0, 0.0)]
    words = [b"talvek", b"video", b"player", b"search", b"<div class=", b"</span>", b"margin:", b"0px;", b"\r\n"]
    for d in dirs:
        os.makedirs(os.path.join(root, d), exist_ok=True)
    for name, size, random_share in files:
        noisy = int(size * random_share)
        data = bytearray(rng.randbytes(noisy))
        while len(data) < size:
            data += rng.choice(words)
        with open(os.path.join(root, name), "wb") as f:
            f.write(bytes(data[:size]))


def winpath(path):
    return "Z:" + path.replace("/", "\\")


def timed(command, env):
    start = time.perf_counter()
    result = subprocess.run(PIN + command, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            stdin=subprocess.DEVNULL, timeout=300, check=False)
    elapsed = (time.perf_counter() - start) * 1000
    if result.returncode != 0:
        raise RuntimeError(f"{command[1]} failed with {result.returncode}")
    return elapsed, result.stdout.decode(errors="replace")


def fresh(path):
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)


def compare_compression(tree, ours, env, reps):
    """Payload size at zlib level 6, level 9 and after zopfli recompression,
    with the extraction time of each (ours, whole process, tmpfs or disk)."""
    out = "/dev/shm/talvek-bench-levels" if os.path.isdir("/dev/shm") else os.path.join(WORK, "levels-out")
    variants = []
    for level in (6, 9):
        path = os.path.join(WORK, f"payload-{level}.zip")
        subprocess.run([os.path.join(BUILD, "host", "tools", "payload_zip"), "--level", str(level), tree, path],
                       check=True, stdout=subprocess.DEVNULL, timeout=300)
        variants.append((f"zlib level {level}", path))
    advzip = shutil.which("advzip")
    if advzip:
        path = os.path.join(WORK, "payload-zopfli.zip")
        shutil.copyfile(variants[-1][1], path)
        subprocess.run([advzip, "--quiet", "-z", "-4", path], check=True, timeout=1800)
        variants.append(("advzip -z -4", path))
    times = {name: [] for name, _ in variants}
    for rep in range(reps):
        for name, path in variants if rep % 2 == 0 else reversed(variants):
            fresh(out)
            times[name].append(timed(ours + ["extract", winpath(path), winpath(out)], env)[0])
    base = statistics.median(times[variants[0][0]])
    level9 = statistics.median(times["zlib level 9"])
    for name, path in variants:
        median = statistics.median(times[name])
        print(f"compression: {name}: {os.path.getsize(path) / 1e6:.3f} MB, extraction {median:.0f} ms "
              f"({median / level9:.2f} of level 9, {median / base:.2f} of level 6)")
    shutil.rmtree(out, ignore_errors=True)


def make_many_files_tree(root, count=3000):
    """A product of thousands of small files in 30 folders."""
    if os.path.isdir(root):
        return
    rng = random.Random(2311)
    for i in range(count):
        folder = os.path.join(root, f"pack{i % 30:02d}")
        os.makedirs(folder, exist_ok=True)
        size = rng.randint(500, 20_000)
        with open(os.path.join(folder, f"item{i:05d}.dat"), "wb") as f:
            f.write(rng.randbytes(size // 2) + b"talvek " * (size // 14))


def compare_keep_aside(tree, label, env, reps, before=None):
    """In-process extraction time without and with the keep-aside of the
    earlier version (plan, moves, journal, commit), into an empty folder and
    over an earlier installation of the same product; with `before`, another
    build of keep_aside_bench.exe runs the keep-aside too, side by side."""
    payload = os.path.join(WORK, f"keep-aside-{label}.zip")
    subprocess.run([os.path.join(BUILD, "host", "tools", "payload_zip"), "--level", "6", tree, payload],
                   check=True, stdout=subprocess.DEVNULL, timeout=300)
    program = ["wine", os.path.join(BENCH_BIN, "keep_aside_bench.exe")]
    base = "/dev/shm" if os.path.isdir("/dev/shm") else WORK
    out = os.path.join(base, "talvek-bench-keep-aside")
    earlier = os.path.join(base, "talvek-bench-keep-aside-earlier")
    fresh(earlier)
    timed(program + ["plain", winpath(payload), winpath(earlier)], env)
    for case in ("fresh", "over earlier"):
        phases = ("begin", "list", "enumerate", "plan", "carry", "extract", "commit")
        samples = {name: [] for name in ("plain", "guarded", "before", "removal") + phases}
        modes = ("plain", "guarded") + (("before",) if before else ())
        for rep in range(reps):
            for mode in modes if rep % 2 == 0 else reversed(modes):
                shutil.rmtree(out, ignore_errors=True)
                if case == "fresh":
                    os.makedirs(out)
                else:
                    shutil.copytree(earlier, out)
                if mode == "before":
                    _, text = timed(["wine", before, "guarded", winpath(payload), winpath(out)], env)
                    samples[mode].append(float(dict(line.split() for line in text.splitlines())["guarded"]))
                    continue
                _, text = timed(program + [mode, winpath(payload), winpath(out)], env)
                figures = dict(line.split() for line in text.splitlines() if line.strip())
                samples[mode].append(float(figures[mode]))
                if mode == "guarded":
                    for phase in ("removal",) + phases:
                        samples[phase].append(float(figures.get(phase, 0)))
        plain, guarded = statistics.median(samples["plain"]), statistics.median(samples["guarded"])
        print(f"keep-aside, {label}, {case}: plain {plain:.0f} ms, with keep-aside {guarded:.0f} ms "
              f"({(guarded / plain - 1) * 100:+.1f} %, median of {reps}, in-process); the kept paths' removal "
              f"{statistics.median(samples['removal']):.0f} ms more, overlapping the ring's 1 s closing sweep")
        if before:
            earlier_build = statistics.median(samples["before"])
            print(f"keep-aside, {label}, {case}: the other build {earlier_build:.0f} ms "
                  f"({(earlier_build / plain - 1) * 100:+.1f} %)")
        # "plan" holds begin, list and enumerate.
        print(f"keep-aside, {label}, {case}, with keep-aside by phase: " +
              ", ".join(f"{phase} {statistics.median(samples[phase]):.1f} ms" for phase in phases))
    shutil.rmtree(out, ignore_errors=True)
    shutil.copytree(earlier, out)
    _, text = timed(["wine", os.path.join(BENCH_BIN, "keep_aside_calls.exe"), winpath(out)], env)
    print(f"keep-aside, {label}, one call per file over the earlier version (us): " +
          ", ".join(" ".join(line.split()) for line in text.splitlines() if line.strip()))
    shutil.rmtree(out, ignore_errors=True)
    shutil.rmtree(earlier, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--reps", type=int, default=9)
    parser.add_argument("--keep-aside-only", action="store_true")
    parser.add_argument("--before", help="another build's keep_aside_bench.exe, run beside this one's")
    args = parser.parse_args()
    env = wine_env()
    os.makedirs(WORK, exist_ok=True)
    tree = os.path.join(WORK, "product-103")
    make_product_tree(tree)
    payload = os.path.join(WORK, "payload.zip")
    subprocess.run([os.path.join(BUILD, "host", "tools", "payload_zip"), "--level", "9", tree, payload],
                   check=True, stdout=subprocess.DEVNULL, timeout=300)
    subprocess.run(["bash", os.path.join(ROOT, "scripts", "prepare-wineprefix.sh"), env["WINEPREFIX"]],
                   env=env, check=True, timeout=300)
    if args.keep_aside_only:
        many = os.path.join(WORK, "product-3000")
        make_many_files_tree(many)
        compare_keep_aside(tree, "103 entries", env, args.reps, args.before)
        compare_keep_aside(many, "3000 files", env, args.reps, args.before)
        subprocess.run(["wineserver", "-k"], env=env, check=False, timeout=60)
        return 0
    ours = ["wine", os.path.join(BENCH_BIN, "extract_bench.exe")]
    miniunz = ["wine", os.path.join(BENCH_BIN, "miniunz.exe")]
    size = os.path.getsize(payload)
    print(f"payload: {size / 1e6:.1f} MB, {sum(len(f) + len(d) for _, d, f in os.walk(tree))} entries")

    locations = [("tmpfs", "/dev/shm/talvek-bench-extract")] if os.path.isdir("/dev/shm") else []
    locations.append(("disk", os.path.join(WORK, "out")))
    for label, out in locations:
        mine, theirs = [], []
        for rep in range(args.reps):
            pair = [("ours", mine), ("miniunz", theirs)]
            for which, samples in (pair if rep % 2 == 0 else reversed(pair)):
                fresh(out)
                if which == "ours":
                    samples.append(timed(ours + ["extract", winpath(payload), winpath(out)], env)[0])
                else:
                    samples.append(timed(miniunz + ["-o", "-x", winpath(payload), "-d", winpath(out)], env)[0])
        m_ours, m_ref = statistics.median(mine), statistics.median(theirs)
        print(f"{label}: ours {m_ours:.0f} ms, miniunz {m_ref:.0f} ms, ratio {m_ours / m_ref:.2f} "
              f"(median of {args.reps}, whole processes)")
        fresh(out)
        floors = []
        for _ in range(args.reps):
            fresh(out)
            _, text = timed(ours + ["floor", winpath(payload), winpath(out)], env)
            floors.append({k: float(v) for k, v in (line.split() for line in text.split("\n") if line.strip())})
        inflate = statistics.median(f["inflate"] for f in floors)
        write = statistics.median(f["write"] for f in floors)
        _, ours_inside = timed(ours + ["extract", winpath(payload), winpath(out)], env)
        print(f"{label}: in-process floor {inflate + write:.0f} ms (inflate {inflate:.0f}, write {write:.0f}); "
              f"ours in-process {float(ours_inside.split()[1]):.0f} ms")
        shutil.rmtree(out, ignore_errors=True)

    compare_compression(tree, ours, env, args.reps)
    make_many_files_tree(os.path.join(WORK, "product-3000"))
    compare_keep_aside(tree, "103 entries", env, args.reps)
    compare_keep_aside(os.path.join(WORK, "product-3000"), "3000 files", env, args.reps)

    fresh(os.path.join(WORK, "mem"))
    _, text = timed(ours + ["memory", winpath(payload), winpath(os.path.join(WORK, "mem"))], env)
    figures = dict(line.split() for line in text.split("\n") if line.strip())
    print(f"memory: archive {int(figures['archive_bytes']) / 1e6:.1f} MB written; private memory grew by "
          f"{int(figures['private_growth_bytes']) / 1e3:.0f} kB, its peak by "
          f"{int(figures['peak_private_growth_bytes']) / 1e3:.0f} kB")
    subprocess.run(["wineserver", "-k"], env=env, check=False, timeout=60)
    return 0


if __name__ == "__main__":
    sys.exit(main())
