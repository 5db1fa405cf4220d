#!/usr/bin/env python3
"""Writes a C++ unit that holds source files as text.

Usage: embed_sources.py OUTPUT HEADER FUNCTION=FILE...

For each FUNCTION=FILE, OUTPUT defines `std::string FUNCTION()`, declared in
HEADER, which returns FILE's bytes. The text is held in raw string literals
of under 32 KB each, the length every compiler takes without a warning.
"""
import sys

PIECE = 32000
DELIMITER = "mirvasta"


def pieces(text):
    lines, piece = [], ""
    for line in text.splitlines(keepends=True):
        if piece and len(piece) + len(line) > PIECE:
            lines.append(piece)
            piece = ""
        piece += line
    return lines + [piece]


def main(output, header, pairs):
    parts = ["// Written by tools/embed_sources.py; edit the project's src/.\n",
             '#include "%s"\n' % header]
    for pair in pairs:
        function, path = pair.split("=", 1)
        with open(path, encoding="utf-8") as f:
            text = f.read()
        if ")%s\"" % DELIMITER in text:
            sys.exit("%s holds the literal's delimiter" % path)
        literals = ",\n".join('R"%s(%s)%s"' % (DELIMITER, p, DELIMITER) for p in pieces(text))
        parts.append("\nstd::string %s() {\n  static const char* const kPieces[] = {\n%s};\n"
                     "  std::string text;\n  for (const char* piece : kPieces) text += piece;\n"
                     "  return text;\n}\n" % (function, literals))
    with open(output, "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(parts))


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], sys.argv[3:])
