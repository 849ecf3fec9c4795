#!/usr/bin/env python3
"""Benchmarks of following a receiver, under Wine with the real rigctld:

- from the daemon's change to the Frequency box showing it, over 50 changes
  (median and 95th percentile), beside the driver's own round trip (reading the
  box once), the physical floor of any such measurement;
- the program's processor time over 60 s following a receiver that does not
  change, with the logging window open (per cent of one core), beside the same
  window without a receiver;
- with a silent server (accepts, never answers), how long the logging window
  takes to answer a message (99th percentile), beside the same without a receiver;
- each again on a busy machine (two processor-bound loops).

Run after scripts/build.sh win:  python3 bench/receiver_wine_bench.py [--quick]
"""
import os
import pathlib
import statistics
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

import harness  # noqa: E402
import logfiles  # noqa: E402
from ids import MAIN_TITLE, LOGGING_TITLE, MAIN_BUTTON_LOGGING, MAIN_BUTTON_EXIT, LOGGING_EDIT_FREQUENCY  # noqa
from rigctld import Rigctld  # noqa: E402
from scripted_server import ScriptedServer  # noqa: E402

QUICK = "--quick" in sys.argv
CHANGES = 50
CPU_SECONDS = 10 if QUICK else 60
ANSWERS = 300 if QUICK else 1000


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(share * (len(ordered) - 1))))]


def program_ticks(folder):
    """utime + stime of the processes running ulmar.exe from `folder`, in clock ticks."""
    total = 0
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            cmdline = pathlib.Path("/proc", pid, "cmdline").read_bytes()
            if b"ulmar.exe" not in cmdline:
                continue
            if os.readlink("/proc/%s/cwd" % pid) != str(folder):
                continue
            fields = pathlib.Path("/proc", pid, "stat").read_text().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])
        except OSError:
            continue
    return total


def open_logging(t, receiver):
    t.write("CURLOG.DTA", logfiles.settings("MYLOG.ULM", receiver=receiver))
    app = t.start()
    main = app.window(MAIN_TITLE)
    app.command(main, MAIN_BUTTON_LOGGING)
    return app, main, app.window(LOGGING_TITLE)


def close(app, main, log):
    app.close_window(log)
    app.gone(log)
    app.command(main, MAIN_BUTTON_EXIT)
    app.wait_exit()


def change_to_box(t):
    daemon = Rigctld(t)
    app, main, log = open_logging(t, "127.0.0.1:%d" % daemon.port)
    harness.until(lambda: app.text(log, LOGGING_EDIT_FREQUENCY), "145000")
    delays, floor = [], []
    for i in range(CHANGES):
        khz = 6000 + 5 * i
        start = time.monotonic()
        daemon.tune(khz * 1000)
        while app.text(log, LOGGING_EDIT_FREQUENCY) != str(khz):
            pass
        delays.append(time.monotonic() - start)
        start = time.monotonic()
        app.text(log, LOGGING_EDIT_FREQUENCY)
        floor.append(time.monotonic() - start)
    close(app, main, log)
    return {"change->box median ms": 1000 * statistics.median(delays),
            "change->box p95 ms": 1000 * percentile(delays, 0.95),
            "driver round trip median ms": 1000 * statistics.median(floor)}


def cpu_share(t, receiver):
    app, main, log = open_logging(t, receiver)
    if receiver:
        harness.until(lambda: app.text(log, LOGGING_EDIT_FREQUENCY), "145000")
    before, start = program_ticks(t.dir), time.monotonic()
    time.sleep(CPU_SECONDS)  # the measured span itself, not a wait for a state
    used = (program_ticks(t.dir) - before) / os.sysconf("SC_CLK_TCK")
    share = 100.0 * used / (time.monotonic() - start)
    close(app, main, log)
    return share


def answer_times(t, receiver):
    app, main, log = open_logging(t, receiver)
    times = []
    for _ in range(ANSWERS):
        start = time.monotonic()
        app.text(log, LOGGING_EDIT_FREQUENCY)
        times.append(time.monotonic() - start)
    close(app, main, log)
    return 1000 * percentile(times, 0.99)


def measure(t):
    figures = change_to_box(t)
    daemon = Rigctld(t)
    figures["cpu % following an unchanging rigctld"] = cpu_share(t, "127.0.0.1:%d" % daemon.port)
    figures["cpu % without a receiver"] = cpu_share(t, "")
    silent = ScriptedServer(t, lambda line: b"")
    figures["answer p99 ms, silent server"] = answer_times(t, "127.0.0.1:%d" % silent.port)
    figures["answer p99 ms, no receiver"] = answer_times(t, "")
    return figures


def main():
    display = harness.Display(480)
    display.start()
    results = {}
    loops = []
    try:
        for label in ("idle machine", "busy machine"):
            if label == "busy machine":
                loops = [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(2)]
            entry = {"name": "receiver bench " + label, "fn": lambda t: results.update({label: measure(t)}),
                     "timeout": 3600}
            failures, _ = harness.run_scenario(entry, display)
            if failures:
                print("%s: %s" % (label, failures))
            for loop in loops:
                loop.kill()
                loop.wait()
            loops = []
    finally:
        for loop in loops:
            loop.kill()
        display.stop()
    for label, figures in results.items():
        print(label)
        for name, value in figures.items():
            print("  %-42s %8.2f" % (name, value))


if __name__ == "__main__":
    main()
