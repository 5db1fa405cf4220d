#!/usr/bin/env python3
"""Measures the optimiser: published packings and realistic inputs.

Usage: solve_bench.py --solver BIN --generator BIN --evaluator BIN --work DIR

Published packings: N equal circles of radius factor * d_N / 2, where d_N
is the best known smallest distance of N points in the unit square; cost 0
is possible below factor 1. Realistic inputs: the generator's cases of 1000
circles at a given coverage, against the generator's greedy placement.
Prints two Markdown tables.
"""
import argparse
import math
import os
import re
import subprocess

# d_N, best known: Packomania's tables; Graham and Lubachevsky (1996). The
# small ones are proven optima with closed forms.
PUBLISHED = {
    6: math.sqrt(13) / 6,
    7: 4 - 2 * math.sqrt(3),
    8: (math.sqrt(6) - math.sqrt(2)) / 2,
    10: 0.421279543983903,
    16: 1 / 3,
    25: 0.25,
    30: 0.224502964531088,
    36: 0.2,
    49: 0.167386076868325,
    50: 0.16645462588286,
    60: 0.14950565404867,
    61: 0.14854412669518,
}
FACTORS = [0.999, 0.9999, 1.01]
COVERAGES = [0.85, 0.9, 0.92, 0.95]
PROGRESS = re.compile(r"case (\d+) of \d+: \d+ circles, cost (\S+), ([\d.]+) s")


def write_input(path, cases):
    lines = ["Mirvasta", str(len(cases))]
    for k, radii in enumerate(cases, 1):
        lines += ["", str(k), str(len(radii))] + ["%.17g" % r for r in radii]
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def solve(solver, input_path, out_path, seconds):
    """Runs the optimiser; returns {case: (cost, seconds)} from its progress lines."""
    done = subprocess.run([solver, input_path, "-o", out_path, "--seconds", str(seconds)],
                          stderr=subprocess.PIPE, check=True, text=True)
    return {int(m.group(1)): (float(m.group(2)), float(m.group(3)))
            for m in PROGRESS.finditer(done.stderr)}


def costs(evaluator, input_path, submission_path, report_path):
    subprocess.run([evaluator, "eval", input_path, submission_path, report_path],
                   stdout=subprocess.DEVNULL, check=True)
    with open(report_path) as f:
        lines = f.read().split("\n")
    assert lines[0] == "OK", lines[0]
    return [float(line.split()[1]) for line in lines[2:] if line]


def main():
    parser = argparse.ArgumentParser()
    for option in ("--solver", "--generator", "--evaluator", "--work"):
        parser.add_argument(option, required=True)
    parser.add_argument("--published-seconds", type=float, default=20)
    parser.add_argument("--realistic-seconds", type=float, default=10)
    options = parser.parse_args()
    os.makedirs(options.work, exist_ok=True)
    path = lambda name: os.path.join(options.work, name)

    print("| N | d_N | factor | cost | seconds |")
    print("|---|---|---|---|---|")
    for factor in FACTORS:
        cases = [[factor * d / 2] * n for n, d in PUBLISHED.items()]
        write_input(path("published.txt"), cases)
        results = solve(options.solver, path("published.txt"), path("published.out"),
                        options.published_seconds)
        checked = costs(options.evaluator, path("published.txt"), path("published.out"),
                        path("published.report"))
        for k, (n, d) in enumerate(PUBLISHED.items(), 1):
            cost, seconds = results[k]
            assert cost == checked[k - 1], (cost, checked[k - 1])
            print("| %d | %.15g | %g | %s | %.2f |" % (
                n, d, factor, "0" if cost == 0 else "%.3e" % cost, seconds), flush=True)

    print()
    print("| coverage | case | greedy cost | optimiser cost | seconds | greedy / optimiser |")
    print("|---|---|---|---|---|---|")
    for coverage in COVERAGES:
        subprocess.run([options.generator, "--cases", "3", "--circles", "1000", "--coverage",
                        str(coverage), "--seed", "11", "-o", path("real.txt")], check=True)
        subprocess.run([options.generator, "--submission", path("real.txt"), "-o",
                        path("greedy.txt")], check=True)
        greedy = costs(options.evaluator, path("real.txt"), path("greedy.txt"), path("g.report"))
        results = solve(options.solver, path("real.txt"), path("real.out"),
                        options.realistic_seconds)
        for k in sorted(results):
            cost, seconds = results[k]
            ratio = "no overlap left" if cost == 0 else "%.0f" % (greedy[k - 1] / cost)
            print("| %g | %d | %.3e | %s | %.2f | %s |" % (
                coverage, k, greedy[k - 1], "0" if cost == 0 else "%.3e" % cost, seconds, ratio),
                flush=True)


if __name__ == "__main__":
    main()
