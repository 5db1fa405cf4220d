#!/usr/bin/env python3
"""Runs charconv_check built with the standard library's conversions and
with the stand-in, and compares.

Usage: charconv_check.py NATIVE STANDIN
STANDIN is a program, or a node program (.js), the stand-in in WebAssembly.
Exits 1 at the first lines that differ, naming them.
"""
import subprocess
import sys


def main(native, wasm):
    expected = subprocess.run([native], check=True, stdout=subprocess.PIPE).stdout.splitlines()
    command = ["node", wasm] if wasm.endswith(".js") else [wasm]
    actual = subprocess.run(command, check=True, stdout=subprocess.PIPE).stdout.splitlines()
    differing = [(e, a) for e, a in zip(expected, actual) if e != a]
    for e, a in differing[:10]:
        print("standard: %s\n stand-in: %s" % (e.decode(), a.decode()))
    if differing or len(expected) != len(actual):
        print("%d of %d lines differ (%d and %d lines)" % (len(differing), len(expected),
                                                           len(expected), len(actual)))
        return 1
    print("%d lines, all the same" % len(expected))
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
