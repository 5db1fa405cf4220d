#!/usr/bin/env python3
"""Times the evaluator beside a reference build on the benchmark workloads.

Usage: bench.py --measure BIN --current BIN --reference BIN --correct BIN --workloads DIR [--runs N]

For every workload it runs the current build and the reference N times,
takes the median CPU time (user + system) and the largest peak resident
memory, checks that the current build writes the same reports and standard
output as the correct reference (the reference with a correctly rounded
atan2), and prints a Markdown table.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile

WORKLOADS = [
    ("a", "100 x 1000 circles, realistic radii, random centres"),
    ("b", "the same radii, well-spread centres"),
    ("c", "radii 1.9 to 2: every pair overlaps"),
    ("d", "the cases of (a) answered ten times each"),
    ("e", "1 case of 10 circles"),
    ("f", "near-perfect placements: 4000 blocks of 60 circles, a few pairs overlapping"),
]


def run_once(launcher, binary, folder, name, report):
    """Runs one evaluation; returns (cpu seconds, peak KiB, stdout bytes)."""
    args = [launcher, binary, "eval", os.path.join(folder, name + ".input.txt"),
            os.path.join(folder, name + ".submission.txt"), report]
    done = subprocess.run(args, capture_output=True)
    if done.returncode != 0:
        sys.exit("%s failed on %s with code %d" % (binary, name, done.returncode))
    fields = dict(f.split("=") for f in done.stderr.decode().split())
    return float(fields["cpu"]), int(fields["peak"]), done.stdout


def measure(launcher, binary, folder, name, runs, scratch):
    report = os.path.join(scratch, os.path.basename(os.path.dirname(binary)) + "." + name)
    times, peaks, stdout = [], [], None
    for _ in range(runs):
        cpu, peak, stdout = run_once(launcher, binary, folder, name, report)
        times.append(cpu)
        peaks.append(peak)
    with open(report, "rb") as f:
        return statistics.median(times), max(peaks), f.read() + b"\0" + stdout


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--measure", required=True)
    parser.add_argument("--current", required=True)
    parser.add_argument("--reference", required=True)
    parser.add_argument("--correct", required=True)
    parser.add_argument("--workloads", required=True)
    parser.add_argument("--runs", type=int, default=5)
    options = parser.parse_args()

    rows, identical = [], True
    with tempfile.TemporaryDirectory() as scratch:
        for name, what in WORKLOADS:
            # Interleaved per workload, so that both builds see the same machine.
            ref_time, ref_peak, _ = measure(options.measure, options.reference,
                                            options.workloads, name, options.runs, scratch)
            cur_time, cur_peak, cur_out = measure(options.measure, options.current,
                                                  options.workloads, name, options.runs, scratch)
            _, _, correct_out = measure(options.measure, options.correct, options.workloads,
                                        name, 1, scratch)
            same = correct_out == cur_out
            identical = identical and same
            rows.append("| %s | %s | %.3f | %.3f | %.2f | %.1f | %.1f | %s |" % (
                name, what, ref_time, cur_time, cur_time / ref_time if ref_time else 0.0,
                ref_peak / 1024, cur_peak / 1024, "yes" if same else "NO"))

    print("| | workload | reference CPU s | current CPU s | ratio | reference peak MiB "
          "| current peak MiB | identical output |")
    print("|---|---|---|---|---|---|---|---|")
    print("\n".join(rows))
    print("\nmedian of %d runs each" % options.runs)
    if not identical:
        sys.exit("the current build's reports differ from the correctly rounded reference's")


if __name__ == "__main__":
    main()
