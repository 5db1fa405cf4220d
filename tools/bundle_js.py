#!/usr/bin/env python3
"""Joins JavaScript modules into one plain script, for a page that must work
offline from a single file.

Usage: bundle_js.py ENTRY OUTPUT

The modules use a small part of the module syntax, which node runs as it is
for their unit tests: `import { a, b as c } from "./other.js";` with relative
paths, and `export` before a function, class, const or let declaration. Each
module becomes a function's scope that returns what it exports, after the
modules it imports; the entry module runs last. A module's path never
appears in the output, so the script is the same wherever it is built.
"""
import os
import re
import sys

IMPORT = re.compile(r'^import\s*\{([^}]*)\}\s*from\s*"([^"]+)";[ \t]*\n', re.M)
EXPORT = re.compile(r"^export\s+(?:async\s+)?(?:function\*?|class|const|let)\s+([A-Za-z_$][\w$]*)",
                    re.M)


def load(path, order, loading, names):
    """Adds `path` and the modules it imports to `order`, those first."""
    path = os.path.normpath(path)
    if path in order:
        return
    if path in loading:
        sys.exit("modules import each other in a circle: %s" % " -> ".join(loading + [path]))
    with open(path, encoding="utf-8") as f:
        text = f.read()
    loading.append(path)
    for _, target in IMPORT.findall(text):
        if not target.startswith("."):
            sys.exit("%s imports %r: only relative paths are bundled" % (path, target))
        load(os.path.join(os.path.dirname(path), target), order, loading, names)
    loading.pop()
    names[path] = "module%d" % len(order)
    order[path] = text


def bundled(entry):
    order, names = {}, {}
    load(entry, order, [], names)
    out = ['"use strict";\n']
    for path, text in order.items():
        imports = []
        for bindings, target in IMPORT.findall(text):
            source = names[os.path.normpath(os.path.join(os.path.dirname(path), target))]
            parts = [b.strip() for b in bindings.split(",") if b.strip()]
            renamed = [re.sub(r"^(\S+)\s+as\s+(\S+)$", r"\1: \2", p) for p in parts]
            imports.append("const { %s } = %s;\n" % (", ".join(renamed), source))
        body = IMPORT.sub("", text)
        exports = EXPORT.findall(body)
        body = re.sub(r"^export\s+", "", body, flags=re.M)
        if path == os.path.normpath(entry):
            out.append("(() => {\n%s%s})();\n" % ("".join(imports), body))
        else:
            out.append("const %s = (() => {\n%s%sreturn { %s };\n})();\n" %
                       (names[path], "".join(imports), body, ", ".join(exports)))
    return "".join(out)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    script = bundled(sys.argv[1])
    os.makedirs(os.path.dirname(os.path.abspath(sys.argv[2])), exist_ok=True)
    with open(sys.argv[2], "w", encoding="utf-8", newline="\n") as f:
        f.write(script)


if __name__ == "__main__":
    main()
