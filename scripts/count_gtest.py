"""Prints 'passed failed' from a GoogleTest JSON report (a missing report counts as one failure)."""
import json
import sys

try:
    report = json.load(open(sys.argv[1]))
except (OSError, ValueError):
    print(0, 1)
    sys.exit(0)
total = report.get("tests", 0)
failures = report.get("failures", 0) + report.get("errors", 0)
print(total - failures - report.get("disabled", 0), failures)
