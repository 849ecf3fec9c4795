#!/usr/bin/env python3
"""Runs the end-to-end scenarios (tests/e2e/scenarios/test_*.py) against the
cross-built ulmar.exe and prints one line per scenario and a closing
`N passed, M failed` line. Exit status 0 only when all passed."""
import argparse
import importlib.util
import pathlib
import sys
import threading

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import harness  # noqa: E402
import wineprefix  # noqa: E402


def load_scenarios():
    for path in sorted((HERE / "scenarios").glob("test_*.py")):
        form = importlib.util.spec_from_file_location("scenarios." + path.stem, path)
        module = importlib.util.module_from_spec(form)
        form.loader.exec_module(module)
    return harness.registered()


def run_with_watchdog(entry, display):
    """Runs one scenario; a scenario that hangs past its timeout has its programs killed."""
    result = {}

    def body():
        result["out"] = harness.run_scenario(entry, display)

    worker = threading.Thread(target=body, daemon=True)
    worker.start()
    worker.join(entry["timeout"])
    if worker.is_alive():
        display.stop()  # ends every Wine process of the prefix, which unblocks the scenario
        worker.join(30)
        display.start()
        return ["timed out after %ss" % entry["timeout"]], entry["timeout"]
    return result["out"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("-k", dest="pattern", default="", help="only scenarios whose name contains this")
    parser.add_argument("--list", action="store_true")
    args = parser.parse_args()
    for needed in (harness.EXE, harness.DRIVER):
        if not needed.exists():
            print("missing %s: build the Windows target first" % needed)
            return 2
    scenarios = [s for s in load_scenarios() if args.pattern in s["name"]]
    if args.list:
        for s in scenarios:
            print("%s (screen %d)" % (s["name"], s["screen"]))
        return 0
    passed = failed = 0
    for screen in sorted({s["screen"] for s in scenarios}):
        display = harness.Display(screen)
        try:
            display.start()
        except wineprefix.FontError as error:
            display.stop()
            print("e2e: stopped, no scenario can be trusted: %s" % error)
            print("e2e: %d passed, %d failed" % (passed, len(scenarios) - passed))
            return 2
        try:
            for entry in (s for s in scenarios if s["screen"] == screen):
                failures, seconds = run_with_watchdog(entry, display)
                if failures:
                    failed += 1
                    print("FAIL  %s [%d] (%.1fs)" % (entry["name"], screen, seconds))
                    for failure in failures:
                        print("      " + str(failure).replace("\n", "\n      "))
                else:
                    passed += 1
                    print("ok    %s [%d] (%.1fs)" % (entry["name"], screen, seconds))
                sys.stdout.flush()
        finally:
            display.stop()
    print("e2e: %d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
