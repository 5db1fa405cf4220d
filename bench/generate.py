#!/usr/bin/env python3
"""Writes the benchmark workloads, from fixed seeds, into a folder.

  a  100 cases of 1000 circles, realistic radii (areas adding up to about the
     square's), uniformly random centres
  b  the same radii, centres spread over a jittered grid
  c  radii from 1.9 to 2: every pair overlaps
  d  the submission of (a) answering every case ten times
  e  one case of 10 circles
  f  near-perfect placements: 100 cases of 60 circles, each answered 40
     times, every block on a grid without overlaps but for a few pairs
     pushed together, from a hair beyond the touching tolerance to deep
Each workload is NAME.input.txt and NAME.submission.txt.
"""
import math
import os
import random
import sys

CASES, CIRCLES = 100, 1000


def realistic_radii(rng, n):
    raw = [rng.uniform(0.5, 1.5) for _ in range(n)]
    scale = math.sqrt(1.0 / (math.pi * sum(r * r for r in raw)))
    return [r * scale for r in raw]


def input_text(cases):
    out = ["Mirvasta", str(len(cases))]
    for k, radii in enumerate(cases, 1):
        out += ["", str(k), str(len(radii))] + ["%.17g" % r for r in radii]
    return "\n".join(out) + "\n"


def block(k, centres):
    return [str(k)] + ["%.17g %.17g" % c for c in centres]


def uniform_centres(rng, n):
    return [(rng.random(), rng.random()) for _ in range(n)]


def spread_centres(rng, n):
    side = math.ceil(math.sqrt(n))
    cells = [(i, j) for i in range(side) for j in range(side)]
    rng.shuffle(cells)
    return [((i + rng.uniform(0.3, 0.7)) / side, (j + rng.uniform(0.3, 0.7)) / side)
            for i, j in cells[:n]]


def near_perfect_centres(rng, radii):
    """A grid with room for every circle, then a few neighbours pushed into
    each other by depths spread over every scale, down to 2e-8."""
    side = math.ceil(math.sqrt(len(radii)))
    centres = [((i % side + 0.5) / side, (i // side + 0.5) / side) for i in range(len(radii))]
    for _ in range(rng.randint(1, 6)):
        a = rng.randrange(len(radii) - 1)
        b = a + 1 if (a + 1) % side else a - 1
        depth = 10 ** rng.uniform(-7.7, math.log10(min(radii[a], radii[b])))
        reach = radii[a] + radii[b] - depth
        ax, ay = centres[a]
        angle = rng.uniform(-0.3, 0.3)
        x = min(1.0, max(0.0, ax + reach * math.cos(angle) * (1 if b > a else -1)))
        y = min(1.0, max(0.0, ay + reach * math.sin(angle)))
        centres[b] = (x, y)
    return centres


def write(folder, name, cases, blocks):
    with open(os.path.join(folder, name + ".input.txt"), "w") as f:
        f.write(input_text(cases))
    with open(os.path.join(folder, name + ".submission.txt"), "w") as f:
        f.write("\n".join(["123456", "Mirvasta"] + [l for b in blocks for l in b]) + "\n")


def main(folder):
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(20261208)
    realistic = [realistic_radii(rng, CIRCLES) for _ in range(CASES)]
    a_centres = [uniform_centres(rng, CIRCLES) for _ in range(CASES)]
    write(folder, "a", realistic, [block(k, c) for k, c in enumerate(a_centres, 1)])
    write(folder, "b", realistic,
          [block(k, spread_centres(rng, CIRCLES)) for k in range(1, CASES + 1)])
    large = [[rng.uniform(1.9, 2.0) for _ in range(CIRCLES)] for _ in range(CASES)]
    write(folder, "c", large,
          [block(k, uniform_centres(rng, CIRCLES)) for k in range(1, CASES + 1)])
    write(folder, "d", realistic,
          [block(k, c) for _ in range(10) for k, c in enumerate(a_centres, 1)])
    small = [[rng.uniform(0.05, 0.3) for _ in range(10)]]
    write(folder, "e", small, [block(1, uniform_centres(rng, 10))])
    spaced = [[rng.uniform(0.02, 0.06) for _ in range(60)] for _ in range(CASES)]
    write(folder, "f", spaced,
          [block(k, near_perfect_centres(rng, radii))
           for _ in range(40) for k, radii in enumerate(spaced, 1)])


if __name__ == "__main__":
    main(sys.argv[1])
