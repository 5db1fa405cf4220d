#!/usr/bin/env python3
"""Builds the page and the node build again from a copy of the sources in
another folder, and requires the same bytes: nothing of the machine's paths
gets into either.

Usage: same_page.py SOURCE_DIR PAGE_DIR WORK_DIR
"""
import filecmp
import os
import shutil
import subprocess
import sys


def main(source, page, work):
    copy = os.path.join(work, "another", "folder")
    shutil.rmtree(os.path.join(work, "another"), ignore_errors=True)
    os.makedirs(copy)
    for part in ("CMakeLists.txt", "src", "tools", "bench", "tests"):
        what = os.path.join(source, part)
        (shutil.copytree if os.path.isdir(what) else shutil.copy)(what, os.path.join(copy, part))
    build = os.path.join(copy, "out")
    for command in (["cmake", "-S", copy, "-B", build, "-DCMAKE_BUILD_TYPE=Release"],
                    ["cmake", "--build", build, "-j2", "--target", "page"]):
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    differ = [name for name in ("Tql25Mirvasta.html", "Tql25Mirvasta-node.js")
              if not filecmp.cmp(os.path.join(page, name), os.path.join(build, "page", name),
                                 shallow=False)]
    if differ:
        sys.exit("built in another folder, these differ: " + ", ".join(differ))
    print("the page and the node build are the same bytes built in another folder")


if __name__ == "__main__":
    main(*sys.argv[1:])
