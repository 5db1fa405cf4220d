#!/usr/bin/env python3
"""Writes the evaluator as one self-contained C++ source file.

Usage: make_single.py SRC_DIR OUTPUT [--title TEXT] [--version V] UNITS...

The units are those of each group of SRC_DIR/units.txt that UNITS names,
floor by floor, the list the build makes its libraries from, and each unit
that UNITS names by its path (a main, say), in the order given. TEXT says
what the file is, in its first line; V, where given, is the project's
version, defined as MIRVASTA_VERSION. The file holds, after a preamble
that fixes its floating-point semantics, every header they use, each once
and after the headers it includes, then every source file in the list's
order. The project's own #include lines and #pragma once are dropped;
everything else is copied as it stands, so the file is the units in order
and nothing more. A unit that includes a header from outside the groups'
floors, or from a floor above its own, is an error: the evaluator never
depends on a tool.
"""
import argparse
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"\s*$')
PRAGMA_ONCE = re.compile(r"^\s*#\s*pragma\s+once\s*$")

PREAMBLE = r"""// %(name)s: %(title)s as one file.
// Written by tools/make_single.py from the project's src/; edit those, not this.
//
// Build: g++ -std=c++17 -O2 %(name)s, clang++ -std=c++17 -O2 %(name)s,
// or cl /O2 /EHsc /std:c++17 %(name)s. C++17 with floating-point
// std::from_chars and std::to_chars: GCC 11, MSVC 2019 or a recent LLVM.
//
// Every cost is IEEE-754 binary64 arithmetic in a fixed order, printed to the
// last bit, so the file fixes its own floating-point semantics whatever the
// flags: no contraction into fused multiply-adds, no fast-math, no excess
// precision. The flags that would change it all the same are refused when it
// compiles (fast-math, reassociation, single-precision constants, x87
// precision) or, where no macro tells, when it starts: it grades a few
// placements whose correct reports it knows, and refuses to grade (exit code
// 3) if its own differ.

#if defined(_MSC_VER) && !defined(_CRT_SECURE_NO_WARNINGS)
#define _CRT_SECURE_NO_WARNINGS
#endif

#if defined(__clang__)
#pragma clang fp contract(off)
#elif defined(__GNUC__)
#pragma GCC optimize("fp-contract=off")
#elif defined(_MSC_VER)
#pragma fp_contract(off)
#pragma float_control(precise, on)
#endif
"""


def project_includes(path):
    with open(path, encoding="utf-8") as f:
        return [m.group(1) for m in map(INCLUDE.match, f) if m]


def body(path):
    """The file without its project includes and #pragma once."""
    with open(path, encoding="utf-8") as f:
        lines = [l for l in f if not INCLUDE.match(l) and not PRAGMA_ONCE.match(l)]
    return "".join(lines).strip("\n") + "\n"


def units(src, names):
    """The named groups' source files, in the list's order, and the named units."""
    chosen, taking = [], False
    with open(os.path.join(src, "units.txt"), encoding="utf-8") as f:
        for line in map(str.strip, f):
            if line.startswith("["):
                taking = line.strip("[]") in names
            elif taking and line and not line.startswith("#"):
                chosen.append(line)
    return chosen + [name for name in names if "/" in name]


def floor(unit):
    return unit.split("/")[0]


def main(src, output, names, title, version):
    sources = units(src, names)
    floors = []
    for source in sources:
        if floor(source) not in floors:
            floors.append(floor(source))

    def check_layer(unit, included):
        if floor(included) not in floors:
            sys.exit("%s includes %s, which is not one of the evaluator's units" % (unit, included))
        if floors.index(floor(included)) > floors.index(floor(unit)):
            sys.exit("%s includes %s, from a floor above its own" % (unit, included))

    # Headers in an order where each follows the headers it includes.
    headers, visiting = [], set()

    def visit(header):
        if header in headers:
            return
        if header in visiting:
            sys.exit("include cycle at " + header)
        visiting.add(header)
        for included in project_includes(os.path.join(src, header)):
            check_layer(header, included)
            visit(included)
        visiting.discard(header)
        headers.append(header)

    for source in sources:
        for included in project_includes(os.path.join(src, source)):
            check_layer(source, included)
            visit(included)

    parts = [PREAMBLE % {"name": os.path.basename(output), "title": title}]
    if version:
        parts.append('\n#define MIRVASTA_VERSION "%s"\n' % version)
    for unit in headers + sources:
        parts.append("\n// ---- %s\n\n%s" % (unit, body(os.path.join(src, unit))))
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with open(output, "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(parts))


if __name__ == "__main__":
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("src")
    parser.add_argument("output")
    parser.add_argument("--title", default='the evaluator of the task "Mirvasta"')
    parser.add_argument("--version")
    parser.add_argument("units", nargs="+")
    options = parser.parse_args()
    main(options.src, options.output, options.units, options.title, options.version)
