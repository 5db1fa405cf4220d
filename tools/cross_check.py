#!/usr/bin/env python3
"""Runs the evaluator on other machines and compares the bytes.

Usage: cross_check.py --source FILE --native BINARY --cases DIR --workloads DIR --work DIR
                      [--wasm NODE_PROGRAM]

Builds the single source file for Windows (MinGW-w64, static, run under
wine), for aarch64 (static, run under qemu-aarch64), for this machine with
the flags that would change its arithmetic most (g++ -O3 -march=native
-ffp-contract=fast), and for this machine with the arc tangent's products
by splitting alone, as on a CPU without FMA; with --wasm, the contestants'
page's WebAssembly evaluator is run under node as well. Then runs every
end-to-end case and every benchmark workload on each of those and compares
the report,
standard output and exit code of each run with the native build's. Under
qemu, whose emulation is slow, workload c (every pair of 1000 circles
overlaps) answers 10 of its 100 cases. Prints a table of platform and
workload, identical or not; exits 1 on any difference.

An emulator now and then fails a run of its own accord (wine on a loaded
machine has exited 1 without running the program). The evaluator is
deterministic, so a run that differs is run once more: a second run with the
native bytes counts as identical and is reported with the first run's
standard error; a second difference is a difference.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

# Blocks of workload c that the emulated aarch64 build answers.
EMULATED_BLOCKS_OF_C = 10


def build(work, source):
    """Compiles the single file three ways; returns the platforms to run."""
    binaries = {
        "windows": os.path.join(work, "Tql25Mirvasta.exe"),
        "aarch64": os.path.join(work, "Tql25Mirvasta-aarch64"),
        "tuned": os.path.join(work, "Tql25Mirvasta-tuned"),
        "split": os.path.join(work, "Tql25Mirvasta-split"),
    }
    commands = [
        ["x86_64-w64-mingw32-g++-posix", "-std=c++17", "-O2", "-static", source,
         "-o", binaries["windows"]],
        ["aarch64-linux-gnu-g++", "-std=c++17", "-O2", "-static", source, "-o", binaries["aarch64"]],
        ["g++", "-std=c++17", "-O3", "-march=native", "-ffp-contract=fast", source,
         "-o", binaries["tuned"]],
        ["g++", "-std=c++17", "-O2", "-DMIRVASTA_SPLIT_PRODUCTS", source, "-o", binaries["split"]],
    ]
    for command in commands:
        print("$ " + " ".join(command), flush=True)
        subprocess.run(command, check=True)
    return [
        ("Windows: MinGW-w64 -O2 -static, wine", ["wine", binaries["windows"]], {}),
        ("aarch64: g++ -O2 -static, qemu", ["qemu-aarch64", binaries["aarch64"]], {}),
        ("single file, g++ -O3 -march=native -ffp-contract=fast", [binaries["tuned"]], {}),
        ("single file, split products (no FMA)", [binaries["split"]], {}),
    ]


def case_runs(cases):
    """The end-to-end cases as (name, input, submission, argument template)."""
    runs = []
    for name in sorted(os.listdir(cases)):
        folder = os.path.join(cases, name)
        if not os.path.isdir(folder):
            continue
        args = ["eval", "{input}", "{submission}", "{report}"]
        args_file = os.path.join(folder, "args.txt")
        if os.path.exists(args_file):
            with open(args_file) as f:
                args = f.read().splitlines()
        runs.append((name, os.path.join(folder, "input.txt"),
                     os.path.join(folder, "submission.txt"), args))
    return runs


def run_once(command, env, input_path, submission_path, template):
    """Runs one evaluation in a scratch folder; returns its observable bytes."""
    with tempfile.TemporaryDirectory() as scratch:
        paths = {"{input}": os.path.join(scratch, "input.txt"),
                 "{submission}": os.path.join(scratch, "submission.txt"),
                 "{report}": os.path.join(scratch, "report.txt"),
                 "{dir}": scratch}
        shutil.copyfile(input_path, paths["{input}"])
        shutil.copyfile(submission_path, paths["{submission}"])
        args = []
        for a in template:
            for key, value in paths.items():
                a = a.replace(key, value)
            args.append(a)
        done = subprocess.run(command + args, env=dict(os.environ, **env),
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        # A refused report leaves the input it names as it was: those count too.
        report = b""
        for name in ("{report}", "{input}", "{submission}"):
            if os.path.exists(paths[name]):
                with open(paths[name], "rb") as f:
                    report += f.read() + b"\0"
        return (done.returncode, done.stdout, report), done.stderr


def first_blocks(submission, count, work):
    """A copy of a submission of 1000-circle blocks that answers only its first ones."""
    with open(submission, "rb") as f:
        lines = f.read().split(b"\n")
    short = os.path.join(work, "c-short.submission.txt")
    with open(short, "wb") as f:
        f.write(b"\n".join(lines[:2 + count * 1001]) + b"\n")
    return short


def differing_lines(a, b):
    lines_a, lines_b = a.splitlines(), b.splitlines()
    return sum(x != y for x, y in zip(lines_a, lines_b)) + abs(len(lines_a) - len(lines_b))


def main():
    parser = argparse.ArgumentParser()
    for option in ("--source", "--native", "--cases", "--workloads", "--work"):
        parser.add_argument(option, required=True)
    parser.add_argument("--wasm")
    options = parser.parse_args()
    os.makedirs(options.work, exist_ok=True)

    platforms = build(options.work, options.source)
    if options.wasm:
        platforms.append(("browser (wasm): the page's evaluator under node",
                          ["node", os.path.abspath(options.wasm)], {}))
    cases = case_runs(options.cases)
    workloads = sorted(n[:-len(".input.txt")] for n in os.listdir(options.workloads)
                       if n.endswith(".input.txt"))
    evaluation = ["eval", "{input}", "{submission}", "{report}"]
    groups = [("end-to-end cases (%d)" % len(cases), cases)] + [
        ("workload " + w, [(w, os.path.join(options.workloads, w + ".input.txt"),
                            os.path.join(options.workloads, w + ".submission.txt"), evaluation)])
        for w in workloads]
    if "c" in workloads:
        short_c = first_blocks(os.path.join(options.workloads, "c.submission.txt"),
                               EMULATED_BLOCKS_OF_C, options.work)
        groups.append(("workload c, %d blocks" % EMULATED_BLOCKS_OF_C,
                       [("c-short", os.path.join(options.workloads, "c.input.txt"), short_c,
                         evaluation)]))

    # The reference: the native build, as the tests check it.
    reference = {}
    for _, runs in groups:
        for name, input_path, submission_path, template in runs:
            reference[name], _ = run_once([options.native], {}, input_path, submission_path,
                                          template)

    os.environ["WINEDEBUG"] = "-all"
    # A fresh machine creates wine's prefix at the first run; one server then
    # serves every run.
    subprocess.run(["wineboot", "--init"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=False)
    subprocess.run(["wineserver", "-p"], check=False)
    table, identical = [], True
    try:
        for group, runs in groups:
            row = []
            for platform, command, env in platforms:
                differences = []
                emulated = command[0] == "qemu-aarch64"
                # Workload c whole is too slow to emulate; its first blocks stand in.
                if group == "workload c" and emulated:
                    row.append("(short)")
                    continue
                for name, input_path, submission_path, template in runs:
                    # A full disk is a Linux device.
                    if "/dev/full" in template and command[0] in ("wine", "qemu-aarch64"):
                        continue
                    result, stderr = run_once(command, env, input_path, submission_path, template)
                    if result != reference[name]:
                        first_stderr = stderr.decode(errors="replace").strip()
                        result, _ = run_once(command, env, input_path, submission_path, template)
                        print("%s on %s: %s differed, %s on a second run; its standard error: %s" % (
                            group, platform, name,
                            "identical" if result == reference[name] else "differs again",
                            first_stderr or "(empty)"), file=sys.stderr)
                    if result != reference[name]:
                        rc, out, report = result
                        differences.append("%s (%d report lines, %d output lines, rc %d)" % (
                            name, differing_lines(report, reference[name][2]),
                            differing_lines(out, reference[name][1]), rc))
                row.append("identical" if not differences else "DIFFERS")
                for d in differences:
                    print("%s on %s: %s" % (group, platform, d), file=sys.stderr)
                identical = identical and not differences
            table.append("| %s | %s |" % (group, " | ".join(row)))
            print(table[-1], flush=True)
    finally:
        subprocess.run(["wineserver", "-k"], check=False)

    print()
    print("| workload | " + " | ".join(p[0] for p in platforms) + " |")
    print("|---" * (len(platforms) + 1) + "|")
    print("\n".join(table))
    if not identical:
        sys.exit("some platform's bytes differ from the native build's")


if __name__ == "__main__":
    main()
