#!/usr/bin/env python3
"""Builds the single source file with flags that would change its arithmetic.

Usage: flag_build.py [--must-not-compile] --source FILE --native BINARY --cases DIR
                     --work DIR -- COMPILER FLAG...

The build must either refuse to compile, with one of the file's own
messages, or, on every end-to-end case, give the native build's bytes or
refuse to grade: exit code 3, nothing on standard output and no report. A
cost that differs from the native build's fails. With --must-not-compile
only the first is enough.
"""
import argparse
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))
from cross_check import case_runs, run_once  # noqa: E402

REFUSED_TO_GRADE = 3


def main():
    parser = argparse.ArgumentParser()
    for option in ("--source", "--native", "--cases", "--work"):
        parser.add_argument(option, required=True)
    parser.add_argument("--must-not-compile", action="store_true")
    parser.add_argument("command", nargs="+")
    options = parser.parse_args()
    os.makedirs(options.work, exist_ok=True)
    binary = os.path.join(options.work, "Tql25Mirvasta")
    built = subprocess.run(options.command + ["-std=c++17", "-O2", options.source, "-o", binary],
                           stderr=subprocess.PIPE, text=True)
    if built.returncode != 0:
        if "Tql25Mirvasta must not be built" in built.stderr or "Tql25Mirvasta needs" in built.stderr:
            print("refused to compile")
            return
        sys.exit("failed to compile for another reason:\n" + built.stderr)
    if options.must_not_compile:
        sys.exit("compiled, where the file's own checks must refuse these flags")

    graded = refused = 0
    for name, input_path, submission_path, template in case_runs(options.cases):
        expected, _ = run_once([options.native], {}, input_path, submission_path, template)
        result, stderr = run_once([binary], {}, input_path, submission_path, template)
        if result == expected:
            graded += 1
            continue
        rc, out, files = result
        # A refused run leaves the two inputs as they were, and no report.
        untouched = b"".join(open(p, "rb").read() + b"\0" for p in (input_path, submission_path))
        if (rc == REFUSED_TO_GRADE and out == b"" and files == untouched and
                b"refuses to grade" in stderr):
            refused += 1
            continue
        sys.exit("%s: rc %d, standard output %r, standard error %r: not the native bytes" %
                 (name, rc, out[:200], stderr[:200]))
    print("%d cases graded as the native build grades them, %d refused" % (graded, refused))


if __name__ == "__main__":
    main()
