#!/usr/bin/env python3
"""Runs the judge's end-to-end cases as the judge systems call it.

Usage: judge_cases.py --cases DIR --work DIR [--write]
                      (--judge BINARY | --source FILE --version-of BINARY -- COMPILER FLAG...)

Each folder of DIR is one call: its file `command` is the command line, as
CMS or Kattis runs it, with the program's name first (`checker`, as CMS
names it, or `judge`) and, for Kattis, `< FILE` for standard input; the
files it names are the folder's, and a folder it names that is not there
(Kattis's feedback folder) is made empty. The exit code, standard output,
standard error and every file of the feedback folder must equal the
folder's expected_rc, expected_stdout, expected_stderr and
expected_feedback/ byte for byte. The judge is BINARY, or the program that
COMPILER builds from FILE alone, which must also say the same version as
the tree's BINARY. --write writes the expected files instead,
for a person to review; nothing else ever writes them.
"""
import argparse
import filecmp
import os
import shlex
import shutil
import subprocess
import sys


def words_of(case):
    with open(os.path.join(case, "command")) as f:
        return shlex.split(f.read())


def run_case(judge, case, work):
    shutil.rmtree(work, ignore_errors=True)
    shutil.copytree(case, work, ignore=shutil.ignore_patterns("expected_*"))
    words = words_of(case)
    stdin = None
    if "<" in words:
        stdin = words[words.index("<") + 1]
        words = words[:words.index("<")]
    os.symlink(judge, os.path.join(work, words[0]))
    for word in words[1:]:
        if word == "feedback":
            os.mkdir(os.path.join(work, word))
    with open(os.path.join(work, stdin), "rb") if stdin else open(os.devnull, "rb") as source:
        done = subprocess.run(["./" + words[0]] + words[1:], cwd=work, stdin=source,
                              capture_output=True)
    return done.returncode, done.stdout, done.stderr


def compare(case, work, result):
    rc, out, err = result
    differences = []
    for name, actual in (("expected_rc", b"%d\n" % rc), ("expected_stdout", out),
                         ("expected_stderr", err)):
        with open(os.path.join(case, name), "rb") as f:
            if f.read() != actual:
                differences.append("%s: %r" % (name, actual[:300]))
    # The judge writes nothing but its feedback folder's files: nothing in
    # the folder it runs in, whatever the form.
    given = set(os.listdir(case)) - {n for n in os.listdir(case) if n.startswith("expected_")}
    strays = sorted(set(os.listdir(work)) - given - {"feedback", words_of(case)[0]})
    if strays:
        differences.append("written beside the judge: %s" % ", ".join(strays))
    expected = os.path.join(case, "expected_feedback")
    actual = os.path.join(work, "feedback")
    if os.path.isdir(expected) or os.path.isdir(actual):
        names = sorted(set(os.listdir(expected) if os.path.isdir(expected) else []) |
                       set(os.listdir(actual) if os.path.isdir(actual) else []))
        for name in names:
            a, b = os.path.join(expected, name), os.path.join(actual, name)
            if not (os.path.exists(a) and os.path.exists(b) and filecmp.cmp(a, b, shallow=False)):
                differences.append("feedback/%s differs" % name)
    return differences


def write(case, work, result):
    rc, out, err = result
    for name, content in (("expected_rc", b"%d\n" % rc), ("expected_stdout", out),
                          ("expected_stderr", err)):
        with open(os.path.join(case, name), "wb") as f:
            f.write(content)
    if os.path.isdir(os.path.join(work, "feedback")):
        shutil.rmtree(os.path.join(case, "expected_feedback"), ignore_errors=True)
        shutil.copytree(os.path.join(work, "feedback"), os.path.join(case, "expected_feedback"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cases", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--judge")
    parser.add_argument("--source")
    parser.add_argument("--version-of")
    parser.add_argument("--write", action="store_true")
    parser.add_argument("compiler", nargs="*")
    options = parser.parse_args()
    os.makedirs(options.work, exist_ok=True)
    judge = options.judge
    if options.source:
        judge = os.path.join(options.work, "Tql25Mirvasta-judge")
        built = subprocess.run(options.compiler + [options.source, "-o", judge],
                               stderr=subprocess.PIPE, text=True)
        if built.returncode != 0:
            sys.exit("the single file does not compile alone:\n" + built.stderr)
        versions = [subprocess.run([j, "--version"], capture_output=True).stdout
                    for j in (judge, options.version_of)]
        if versions[0] != versions[1]:
            sys.exit("the single file says %r, the tree's judge %r" % tuple(versions))
    judge = os.path.abspath(judge)
    failures = 0
    names = sorted(os.listdir(options.cases))
    for name in names:
        case = os.path.join(options.cases, name)
        if not os.path.isdir(case):
            continue
        work = os.path.join(options.work, name)
        result = run_case(judge, case, work)
        if options.write:
            write(case, work, result)
            continue
        for difference in compare(case, work, result):
            print("%s: %s" % (name, difference))
            failures += 1
    if failures:
        sys.exit("%d differences" % failures)
    print("%d cases give the expected bytes" % len(names))


if __name__ == "__main__":
    main()
