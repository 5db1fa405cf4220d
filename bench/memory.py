#!/usr/bin/env python3
"""Peak memory of the evaluator and of the tools that read whole submissions.

Usage: memory.py --measure BIN --bin DIR --work DIR [--megabytes N]

Writes the largest legal input (100 cases of 1000 circles) and a submission
of about N MB (200 by default) that answers its cases again and again, then
runs on them, one at a time, the evaluator, the merge tool and the judge in
both its forms, each through the small launcher bench_measure (so that
this script's own size stays out of the peak), and prints each one's peak
resident memory and CPU time as a Markdown table.
Every run must succeed; the evaluator's report must be an OK block.
"""
import argparse
import os
import subprocess
import sys


def run(measure, args, stdin):
    """Runs a program; returns its exit code, peak resident MiB and CPU seconds."""
    done = subprocess.run([measure] + args, stdin=stdin, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE)
    fields = dict(f.split("=") for f in done.stderr.decode().splitlines()[-1].split())
    return done.returncode, int(fields["peak"]) / 1024, float(fields["cpu"])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--measure", required=True)
    parser.add_argument("--bin", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--megabytes", type=int, default=200)
    options = parser.parse_args()
    os.makedirs(options.work, exist_ok=True)
    tool = lambda name: os.path.join(options.bin, name)
    work = lambda name: os.path.join(options.work, name)

    subprocess.run([tool("Tql25Mirvasta-gen"), "--cases", "100", "--circles", "1000",
                    "--seed", "11", "-o", work("input.txt")], check=True)
    subprocess.run([tool("Tql25Mirvasta-gen"), "--submission", work("input.txt"), "--place",
                    "random", "-o", work("once.txt")], check=True)
    with open(work("once.txt"), "rb") as f:
        once = f.read()
    header, blocks = once.split(b"\n", 2)[:2], once.split(b"\n", 2)[2]
    repeats = max(1, options.megabytes * 2**20 // len(blocks))
    with open(work("submission.txt"), "wb") as f:
        f.write(b"\n".join(header) + b"\n")
        for _ in range(repeats):
            f.write(blocks)
    size = os.path.getsize(work("submission.txt")) / 2**20

    os.makedirs(work("feedback"), exist_ok=True)
    runs = [
        ("evaluator", [tool("Tql25Mirvasta"), "eval", work("input.txt"), work("submission.txt"),
                       work("report.txt")], None),
        ("merge tool", [tool("Tql25Mirvasta-merge"), work("input.txt"), work("submission.txt"),
                        "-o", work("best.txt")], None),
        ("judge, CMS form", [tool("Tql25Mirvasta-judge"), "--cms", work("input.txt"),
                             work("once.txt"), work("submission.txt")], None),
        ("judge, Kattis form", [tool("Tql25Mirvasta-judge"), "--kattis", work("input.txt"),
                                work("once.txt"), work("feedback")], work("submission.txt")),
    ]
    print("A submission of %.0f MiB: %d times the 100 cases of 1000 circles.\n" % (size, repeats))
    print("| program | peak MiB | CPU s |")
    print("|---|---|---|")
    for name, args, stdin in runs:
        with open(stdin, "rb") if stdin else open(os.devnull, "rb") as source:
            code, peak, cpu = run(options.measure, args, source)
        if code not in (0, 42):
            sys.exit("%s failed with exit code %d" % (name, code))
        print("| %s | %.1f | %.1f |" % (name, peak, cpu))
    with open(work("report.txt"), "rb") as f:
        if not f.read().startswith(b"OK\n"):
            sys.exit("the evaluator refused the submission")


if __name__ == "__main__":
    main()
