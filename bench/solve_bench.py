#!/usr/bin/env python3
"""Measures the optimiser: published packings, many equal circles, dense inputs.

Usage: solve_bench.py --solver BIN --reference-solver BIN --generator BIN
                      --evaluator BIN --work DIR

Published packings: N equal circles of radius factor * d_N / 2, where d_N
is the best known smallest distance of N points in the unit square; cost 0
is possible below factor 1. Many equal circles: N from 100 to 1000 at the
distances of simple hexagonal arrangements, where cost 0 must come within
60 s, and N = 250, 572 and 765 a little above the best arrangement of rows
the optimiser starts from. Dense inputs: the generator's cases of 1000
circles at coverage 0.92 and 0.95, three seeds each, 10 s per case, with
this optimiser and the reference (the commit before the dense-input work),
run one after the other in this one run. Prints Markdown tables.
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
# Simple hexagonal arrangements (a 10 x 10 grid for 100): rows of
# alternating lengths.
MANY = {
    100: 0.111111111111111,
    200: 0.076980035891950,
    300: 0.064150029909958,
    500: 0.048780487804878,
    700: 0.041239304942116,
    1000: 0.034482758620690,
}
# The best arrangement of rows the optimiser starts from, for N where better
# packings than rows are known.
ROWS = {250: 0.069512227161411, 572: 0.046269135313287, 765: 0.039863023494120}
ROW_FACTORS = [1.0, 1.002, 1.005]
DENSE = [0.92, 0.95]
SEEDS = [1, 2, 3]
PROGRESS = re.compile(r"case (\d+) of \d+: \d+ circles, cost (\S+), \d+ steps, ([\d.]+) s")


def write_input(path, cases):
    lines = ["Mirvasta", str(len(cases))]
    for k, radii in enumerate(cases, 1):
        lines += ["", str(k), str(len(radii))] + ["%.17g" % r for r in radii]
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def read_cases(path):
    lines = open(path).read().split("\n")
    cases, at = [], 2
    for _ in range(int(lines[1])):
        n = int(lines[at + 2])
        cases.append([float(r) for r in lines[at + 3:at + 3 + n]])
        at += 3 + n
    return cases


def solve(solver, input_path, out_path, seconds, jobs=None):
    """Runs an optimiser; returns {case: (cost, seconds)} from its progress lines."""
    command = [solver, input_path, "-o", out_path, "--seconds", str(seconds)]
    if jobs:
        command += ["--jobs", str(jobs)]
    done = subprocess.run(command, stderr=subprocess.PIPE, check=True, text=True)
    # The reference's progress lines have no steps.
    pattern = PROGRESS if "steps," in done.stderr else re.compile(
        r"case (\d+) of \d+: \d+ circles, cost (\S+), ([\d.]+) s")
    return {int(m.group(1)): (float(m.group(2)), float(m.group(3)))
            for m in pattern.finditer(done.stderr)}


def costs(evaluator, input_path, submission_path, report_path):
    subprocess.run([evaluator, "eval", input_path, submission_path, report_path],
                   stdout=subprocess.DEVNULL, check=True)
    with open(report_path) as f:
        lines = f.read().split("\n")
    assert lines[0] == "OK", lines[0]
    return [float(line.split()[1]) for line in lines[2:] if line]


def checked(options, cases, seconds, name):
    """Solves the cases; returns [(cost, seconds)], each cost the evaluator's."""
    path = lambda suffix: os.path.join(options.work, name + suffix)
    write_input(path(".txt"), cases)
    results = solve(options.solver, path(".txt"), path(".out"), seconds)
    evaluated = costs(options.evaluator, path(".txt"), path(".out"), path(".report"))
    for k in results:
        assert results[k][0] == evaluated[k - 1], (results[k], evaluated[k - 1])
    return [results[k] for k in sorted(results)]


def shown(cost):
    return "0" if cost == 0 else "%.3e" % cost


def factor_table(options, distance, packings, factors, seconds):
    """N equal circles of radius factor * d / 2 for each packing and factor."""
    print("| N | %s | factor | cost | seconds |" % distance)
    print("|---|---|---|---|---|")
    for factor in factors:
        cases = [[factor * d / 2] * n for n, d in packings.items()]
        results = checked(options, cases, seconds, "equal")
        for (n, d), (cost, took) in zip(packings.items(), results):
            print("| %d | %.15g | %g | %s | %.2f |" % (n, d, factor, shown(cost), took), flush=True)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--solver", "--reference-solver", "--generator", "--evaluator", "--work"):
        parser.add_argument(option, required=True)
    options = parser.parse_args()
    os.makedirs(options.work, exist_ok=True)
    path = lambda name: os.path.join(options.work, name)

    factor_table(options, "d_N", PUBLISHED, FACTORS, 20)

    print()
    print("| N | d | cost | seconds |")
    print("|---|---|---|---|")
    cases = [[d / 2] * n for n, d in MANY.items()]
    for (n, d), (cost, seconds) in zip(MANY.items(), checked(options, cases, 60, "many")):
        print("| %d | %.15g | %s | %.2f |" % (n, d, shown(cost), seconds), flush=True)

    print()
    factor_table(options, "rows' d", ROWS, ROW_FACTORS, 60)

    print()
    print("| coverage | seed | reference cost | cost | reference / cost |")
    print("|---|---|---|---|---|")
    for coverage in DENSE:
        cases = []
        for seed in SEEDS:
            subprocess.run([options.generator, "--cases", "1", "--circles", "1000", "--coverage",
                            str(coverage), "--seed", str(seed), "-o", path("dense1.txt")],
                           check=True)
            cases += read_cases(path("dense1.txt"))
        write_input(path("dense.txt"), cases)
        # One case at a time each, both optimisers alike.
        reference = solve(options.reference_solver, path("dense.txt"), path("ref.out"), 10, 1)
        current = solve(options.solver, path("dense.txt"), path("cur.out"), 10, 1)
        for k, seed in enumerate(SEEDS, 1):
            ratio = "no overlap left" if current[k][0] == 0 else "%.2f" % (
                reference[k][0] / current[k][0])
            print("| %g | %d | %s | %s | %s |" % (coverage, seed, shown(reference[k][0]),
                                                  shown(current[k][0]), ratio), flush=True)


if __name__ == "__main__":
    main()
