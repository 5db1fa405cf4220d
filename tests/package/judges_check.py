#!/usr/bin/env python3
"""Imports a package into the judges' own code and grades submissions there,
as an organiser does before a contest: CMS's importer and its OutputOnly
grading, the Kattis problem package verifier (statement included where LaTeX
is installed), and CMS's checker alone in an empty chroot. Every score must
be the judge's own.

Usage: judges_check.py --gen GEN --judge JUDGE --package PACKAGE --tools DIR --work DIR

DIR of --tools holds the judges' code (problemtools-*.tar.gz, and cms/ with
its setup and check.py). A judge whose code or needs are missing is skipped,
saying so; with both skipped, the exit code is 77.
"""
import argparse
import glob
import json
import os
import re
import shutil
import subprocess
import sys
import tarfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from checks import SKIPPED, Checks  # noqa: E402

# What every contestant's program starts with: a grid placement of any input.
GRID = '''import math, sys


def grid(text, cases=None):
    lines = text.split("\\n")
    out, at = ["000000", "Mirvasta"], 2
    for _ in range(int(lines[1])):
        k, n = int(lines[at + 1]), int(lines[at + 2])
        at += 3 + n
        if cases is not None and k not in cases:
            continue
        side = math.ceil(math.sqrt(n))
        out.append(str(k))
        out += ["%r %r" % ((i % side + 0.5) / side, (i // side + 0.5) / side) for i in range(n)]
    return "\\n".join(out) + "\\n"


text = sys.stdin.read()
'''
# The bytes of a refused line that CMS and Kattis must never see raw.
HOSTILE = b"123456\nMirvasta\x9a\xff\x00\rx\n"


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, **kwargs)


def contest(options, work):
    """A generated input, a reference over 128 KiB, and its package."""
    path = lambda name: os.path.join(work, name)
    run([options.gen, "--cases", "10", "--circles", "400", "--seed", "5", "-o", path("input.txt")],
        check=True)
    run([options.gen, "--submission", path("input.txt"), "--place", "greedy", "-o",
         path("reference.txt")], check=True)
    shutil.rmtree(path("package"), ignore_errors=True)
    made = run([options.package, path("input.txt"), path("reference.txt"), "-o", path("package")])
    if made.returncode != 0:
        sys.exit("the package tool failed: %s" % made.stderr.decode())
    with open(path("input.txt")) as f:
        text = f.read()
    outputs = {
        "reference.txt": open(path("reference.txt"), "rb").read(),
        "grid.txt": program_output(GRID + "sys.stdout.write(grid(text))\n", text),
        "first-case.txt": program_output(GRID + "sys.stdout.write(grid(text, {1}))\n", text),
        "hostile.txt": HOSTILE,
    }
    for name, data in outputs.items():
        with open(path(name), "wb") as f:
            f.write(data)
    return text, outputs


def program_output(program, stdin):
    return run([sys.executable, "-c", program], input=stdin.encode(), check=True).stdout


def judge_scores(options, work, names):
    """The judge's own score of each file, in the CMS form."""
    path = lambda name: os.path.join(work, name)
    scores = {}
    for name in names:
        done = run([options.judge, "--cms", path("input.txt"), path("reference.txt"), path(name)])
        scores[name] = float(done.stdout)
    return scores


def kattis(options, work, checks, text, scores):
    archive = (glob.glob(os.path.join(options.tools, "problemtools-*.tar.gz")) or [None])[0]
    python = "/usr/bin/python3"
    if archive is None or run([python, "-c", "import yaml, plasTeX"]).returncode != 0:
        print("SKIPPED: the Kattis verifier, or python3-yaml and python3-plastex, is missing")
        return False
    tools = os.path.join(work, "problemtools")
    if not os.path.isdir(tools):
        with tarfile.open(archive) as tar:
            tar.extractall(os.path.join(work, "problemtools-unpacked"))
        shutil.move(glob.glob(os.path.join(work, "problemtools-unpacked", "*"))[0], tools)
        for support in ("default_validator", "interactive"):
            run(["make", "-C", os.path.join(tools, "support", support)], check=True)
    problem = os.path.join(work, "mirvasta")
    shutil.rmtree(problem, ignore_errors=True)
    shutil.copytree(os.path.join(work, "package", "kattis"), problem)
    with open(os.path.join(work, "reference.txt")) as f:
        reference = f.read()
    first_line = text.split("\n", 2)[:2]
    programs = {
        # The whole answer as a program, over 128 KiB; a grid for the sample.
        "accepted/prints_the_reference.py": GRID + "ANSWER = r'''" + reference + "'''\n"
        "sys.stdout.write(ANSWER if text.split('\\n', 2)[:2] == %r else grid(text))\n" % first_line,
        "partially_accepted/grid.py": GRID + "sys.stdout.write(grid(text))\n",
        "partially_accepted/first_case.py": GRID + "sys.stdout.write(grid(text, {1}))\n",
        "wrong_answer/refused.py": "print('123456\\nMirvasta\\n1\\n0.5')\n",
        "wrong_answer/hostile_bytes.py": "import sys\nsys.stdout.buffer.write(%r)\n" % HOSTILE,
    }
    for name, program in programs.items():
        os.makedirs(os.path.dirname(os.path.join(problem, "submissions", name)), exist_ok=True)
        with open(os.path.join(problem, "submissions", name), "w") as f:
            f.write(program)
    checks.expect("the whole answer as a program is over 128 KiB", lambda n: n > 128 * 1024,
                  len(programs["accepted/prints_the_reference.py"]))
    parts = ["-p", "config", "validators", "graders", "data", "submissions"]
    statement = shutil.which("pdflatex") is not None
    done = run([python, "-m", "problemtools.verifyproblem", "-l", "info"] +
               ([] if statement else parts) +
               ["--", problem], cwd=tools, env=dict(os.environ, PYTHONPATH=tools))
    said = done.stdout.decode("utf-8", "replace") + done.stderr.decode("utf-8", "replace")
    print("\n".join(l for l in said.splitlines() if not l.startswith("INFO")))
    tested = re.search(r"tested: (\d+) errors?", said)
    checks.expect("the Kattis verifier%s: no error" % (", statement included" if statement else
                                                       " (no LaTeX: statement left out)"),
                  "0", tested and tested.group(1))
    # The verifier prints a submission's score rounded to an integer: its
    # grade of the whole test data, logged before, has the digits.
    for program, output in (("prints_the_reference.py", "reference.txt"),
                            ("grid.py", "grid.txt"), ("first_case.py", "first-case.txt")):
        run_of = said.split(" submission %s " % program)[1].split(" submission ")[0]
        grades = re.findall(r"Grade on test case group data is AC \(([^)]*)\)", run_of)
        checks.expect("Kattis scores %s as the judge does, the sample aside" % program,
                      lambda g: bool(g) and abs(float(g[-1]) - scores[output]) < 1e-6, grades)
    checks.expect("no program got a verdict it was not filed under", False, "got WA on sample"
                  in said or "ERROR" in said)
    return True


def cms(options, work, checks, scores):
    setup = os.path.join(options.tools, "cms", "setup")
    if not os.path.exists(setup):
        print("SKIPPED: CMS's code is missing")
        return False
    made = run([setup, os.path.join(work, "cms-env")])
    if made.returncode != 0:
        print("SKIPPED: CMS's environment could not be made: %s" % made.stderr.decode())
        return False
    python = made.stdout.decode().strip().splitlines()[-1]
    store = os.path.join(work, "cms-store")
    shutil.rmtree(store, ignore_errors=True)
    names = ["reference.txt", "grid.txt", "first-case.txt", "hostile.txt"]
    done = run([python, os.path.join(options.tools, "cms", "check.py"), store,
                os.path.join(work, "package", "cms")] + [os.path.join(work, n) for n in names])
    if done.returncode != 0:
        checks.expect("CMS's importer and grading ran", 0, done.stderr.decode()[-2000:])
        return True
    result = json.loads(done.stdout)
    task = result["task"]
    checks.expect("CMS imports the task with its statements, no -S",
                  [None, ["en", "sl"], 2, "OutputOnly", ["checker"]],
                  [task.get("load_error"), task["statements"], task["score_precision"],
                   task["task_type"], task["managers"]])
    for name in names:
        outcome = result["submissions"][name][0]
        checks.expect("CMS grades %s as the judge does, and the job succeeds" % name,
                      [True, scores[name]], [outcome["success"], float(outcome["outcome"])])
        checks.expect("CMS's text for %s is printable ASCII" % name, True,
                      all(32 <= ord(c) < 127 for c in str(outcome["text"])))
    return True


def jailed_checker(work, checks):
    """CMS's checker alone in an empty root: no /tmp, no C library."""
    chroot = shutil.which("chroot") or shutil.which("chroot", path="/usr/sbin:/sbin")
    if os.geteuid() != 0 or chroot is None:
        print("SKIPPED: the chroot needs root")
        return
    jail = os.path.join(work, "jail")
    shutil.rmtree(jail, ignore_errors=True)
    os.mkdir(jail)
    for name, source in (("checker", "package/cms/check/checker"), ("input.txt", "input.txt"),
                         ("correct_output.txt", "reference.txt"), ("user_output.txt",
                                                                   "hostile.txt")):
        shutil.copy(os.path.join(work, source), os.path.join(jail, name))
    done = run([chroot, jail, "/checker", "/input.txt", "/correct_output.txt",
                "/user_output.txt"], env={})
    checks.expect("the checker in an empty chroot scores the hostile file 0", [0, b"0\n"],
                  [done.returncode, done.stdout])
    checks.expect("and writes its line as printable ASCII", True,
                  b"Mirvasta\\x9a\\xff" in done.stderr and
                  all(32 <= b < 127 or b == 10 for b in done.stderr))


def main():
    parser = argparse.ArgumentParser()
    for option in ("gen", "judge", "package", "tools", "work"):
        parser.add_argument("--" + option, required=True)
    options = parser.parse_args()
    work = os.path.abspath(options.work)
    os.makedirs(work, exist_ok=True)
    checks = Checks()
    text, outputs = contest(options, work)
    scores = judge_scores(options, work, outputs)
    ran = kattis(options, work, checks, text, scores)
    ran = cms(options, work, checks, scores) or ran
    jailed_checker(work, checks)
    if not ran:
        return SKIPPED
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
