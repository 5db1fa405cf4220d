#!/usr/bin/env python3
"""Assembles the contestants' page: one HTML file that holds everything.

Usage: make_page.py --template HTML --page-style CSS --drawing-style CSS
                    --drawing-script JS --page-script JS --worker JS
                    --evaluator JS --output HTML

The evaluator is emcc's output with the WebAssembly inside it (SINGLE_FILE);
it and the worker's script become the worker's source, which the page holds
as text and starts from a blob, so that the page works when opened from
disk, with no server and no network. Each /*@NAME@*/ of the template is
replaced by its part.
"""
import argparse
import os
import re
import sys


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
    for option in ("--template", "--page-style", "--drawing-style", "--drawing-script",
                   "--page-script", "--worker", "--evaluator", "--output"):
        parser.add_argument(option, required=True)
    options = parser.parse_args()
    parts = {
        "PAGE_STYLE": inline(read(options.page_style), options.page_style),
        "DRAWING_STYLE": inline(read(options.drawing_style), options.drawing_style),
        "DRAWING_SCRIPT": inline(read(options.drawing_script), options.drawing_script),
        "PAGE_SCRIPT": inline(read(options.page_script), options.page_script),
        "WORKER_SOURCE": inline(read(options.evaluator) + "\n" + read(options.worker),
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
    os.makedirs(os.path.dirname(os.path.abspath(options.output)), exist_ok=True)
    with open(options.output, "w", encoding="utf-8", newline="\n") as f:
        f.write(page)


if __name__ == "__main__":
    main()
