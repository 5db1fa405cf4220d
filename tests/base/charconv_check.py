#!/usr/bin/env python3
"""Runs charconv_check built natively and for the page, and compares.

Usage: charconv_check.py NATIVE NODE_PROGRAM
Exits 1 at the first lines that differ, naming them.
"""
import subprocess
import sys


def main(native, wasm):
    expected = subprocess.run([native], check=True, stdout=subprocess.PIPE).stdout.splitlines()
    actual = subprocess.run(["node", wasm], check=True, stdout=subprocess.PIPE).stdout.splitlines()
    differing = [(e, a) for e, a in zip(expected, actual) if e != a]
    for e, a in differing[:10]:
        print("native: %s\n  page: %s" % (e.decode(), a.decode()))
    if differing or len(expected) != len(actual):
        print("%d of %d lines differ (%d and %d lines)" % (len(differing), len(expected),
                                                           len(expected), len(actual)))
        return 1
    print("%d lines, all the same" % len(expected))
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
