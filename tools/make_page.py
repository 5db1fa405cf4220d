#!/usr/bin/env python3
"""Assembles the contestants' page: one HTML file that holds everything.

Usage: make_page.py --template HTML --style CSS... --script ENTRY --worker ENTRY
                    --evaluator JS --output HTML

The page's script and the worker's are each their entry module and the
modules it imports, joined into one (bundle_js.py). The evaluator is emcc's
output with the WebAssembly inside it (SINGLE_FILE); it and the worker's
script become the worker's source, which the page holds as text and starts
from a blob, so that the page works when opened from disk, with no server
and no network. Each /*@NAME@*/ of the template is replaced by its part. A
page that names a folder of the machine it was built on is refused: the
same sources give the same page wherever they are built.
"""
import argparse
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bundle_js import bundled  # noqa: E402


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def inline(text, where):
    """Text that can stand inside a <script> or <style> element as it is."""
    for forbidden in ("</script", "</style", "<!--"):
        if forbidden in text.lower():
            sys.exit("%s holds %r, which would end its element early" % (where, forbidden))
    return text


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--style", action="append", required=True)
    for option in ("--template", "--script", "--worker", "--evaluator", "--output"):
        parser.add_argument(option, required=True)
    options = parser.parse_args()
    parts = {
        "PAGE_STYLE": inline("".join(read(p) for p in options.style), "the style"),
        "PAGE_SCRIPT": inline(bundled(options.script), "the page's script"),
        "WORKER_SOURCE": inline(read(options.evaluator) + "\n" + bundled(options.worker),
                                "the worker's source"),
    }
    page = read(options.template)
    for name, text in parts.items():
        marker = "/*@%s@*/" % name
        if page.count(marker) != 1:
            sys.exit("the template must hold %s once" % marker)
        page = page.replace(marker, text)
    if re.search(r"/\*@[A-Z_]+@\*/", page):
        sys.exit("the template holds a part this script does not know")
    for folder in {os.path.abspath(p) for p in (options.template, options.output)}:
        for parent in (os.path.dirname(folder), os.path.dirname(os.path.dirname(folder))):
            if len(parent) > 1 and parent in page:
                sys.exit("the page names %s, a folder of this machine" % parent)
    os.makedirs(os.path.dirname(os.path.abspath(options.output)), exist_ok=True)
    with open(options.output, "w", encoding="utf-8", newline="\n") as f:
        f.write(page)


if __name__ == "__main__":
    main()
