#!/usr/bin/env python3
"""Lists the skipped tests of a CTest run, one line each with the reason.

Usage: ctest_skips.py JUNIT.xml STAGE

Reads the JUnit report that `ctest --output-junit` wrote: a CTest test that
was skipped whole, and each GoogleTest case that skipped itself inside a
CTest test (its output says "file:line: Skipped" and then the reason).
"""
import re
import sys
import xml.etree.ElementTree as ElementTree

GTEST_SKIP = re.compile(r"^\[ RUN      \] (\S+)\n(?:.*\n)*?.*: Skipped\n(.*)\n", re.MULTILINE)


def skipped_cases(output):
    """The GoogleTest cases in one test's output that skipped, with reasons."""
    found = []
    for match in GTEST_SKIP.finditer(output):
        case, reason = match.group(1), match.group(2).strip()
        # The match may run over a passing case into the next one's skip.
        case = re.findall(r"^\[ RUN      \] (\S+)$", match.group(0), re.MULTILINE)[-1]
        found.append((case, reason or "no reason given"))
    return found


def main():
    report, stage = sys.argv[1], sys.argv[2]
    for testcase in ElementTree.parse(report).getroot().iter("testcase"):
        name = testcase.get("name")
        output = testcase.findtext("system-out") or ""
        cases = skipped_cases(output)
        if testcase.find("skipped") is not None and testcase.get("status") == "notrun":
            reason = cases[0][1] if cases else testcase.find("skipped").get("message", "")
            print(f"{stage}: test {name}: {reason}")
            continue
        for case, reason in cases:
            print(f"{stage}: test {name} {case}: {reason}")


if __name__ == "__main__":
    main()
