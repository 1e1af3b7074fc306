#!/usr/bin/env python3
"""Start-up time and memory of notorio against a minimal Qt window.

Runs on an X display (bench/startup.sh starts Xvfb and openbox). Each run
starts the program, watches the root window with `xev` for the program's
first window being mapped and for its first Expose, and then reads the
process's peak resident memory (VmHWM) once it has settled. The two
programs alternate run by run, so that a busy machine slows both alike;
the medians are reported, and the median of the ratios of the runs made
side by side (which a machine that slows down for a while moves less).
"""
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time


def first_expose_seconds(command, cwd, settle=0.7, timeout=20.0):
    """Seconds from exec to the first Expose of a top-level window, and the
    peak RSS in KiB after `settle` seconds."""
    watcher = subprocess.Popen(
        ["xev", "-root", "-event", "substructure"],
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, bufsize=1)
    time.sleep(0.2)  # xev is listening
    start = time.monotonic()
    program = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    elapsed = None
    deadline = start + timeout
    for line in watcher.stdout:
        if line.startswith("MapNotify"):
            elapsed = time.monotonic() - start
            break
        if time.monotonic() > deadline:
            break
    watcher.kill()
    watcher.wait()
    time.sleep(settle)
    rss = None
    try:
        with open(f"/proc/{program.pid}/status") as status:
            for line in status:
                if line.startswith("VmHWM:"):
                    rss = int(re.findall(r"\d+", line)[0])
    except OSError:
        pass
    program.terminate()
    try:
        program.wait(5)
    except subprocess.TimeoutExpired:
        program.kill()
        program.wait()
    return elapsed, rss


def main():
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    programs = {
        "notorio": [os.path.join(build, "src/mainwindow/notorio")],
        "minimal Qt window": [os.path.join(build, "bench_startup_minimal")],
    }
    results = {name: ([], []) for name in programs}
    paired = ([], [])  # notorio / minimal of each pair of runs: time, memory
    with tempfile.TemporaryDirectory() as work:
        # Warm the caches once each.
        for command in programs.values():
            first_expose_seconds(command, work)
        for _ in range(runs):
            pair = {}
            for name, command in programs.items():
                seconds, rss = first_expose_seconds(command, work)
                pair[name] = (seconds, rss)
                if seconds is not None:
                    results[name][0].append(seconds)
                if rss is not None:
                    results[name][1].append(rss)
            (t1, m1), (t0, m0) = pair["notorio"], pair["minimal Qt window"]
            if t1 is not None and t0:
                paired[0].append(t1 / t0)
            if m1 is not None and m0:
                paired[1].append(m1 / m0)
    print(f"{'program':<20} {'runs':>4} {'median ms':>10} {'median MiB':>11}")
    medians = {}
    for name, (times, memory) in results.items():
        t = statistics.median(times) * 1000
        m = statistics.median(memory) / 1024
        medians[name] = (t, m)
        print(f"{name:<20} {len(times):>4} {t:>10.1f} {m:>11.1f}")
    (t1, m1), (t0, m0) = medians["notorio"], medians["minimal Qt window"]
    print(f"notorio / minimal: time {t1 / t0:.2f}x, memory {m1 / m0:.2f}x")
    print(f"median of the paired ratios: time {statistics.median(paired[0]):.2f}x, "
          f"memory {statistics.median(paired[1]):.2f}x")


if __name__ == "__main__":
    main()
