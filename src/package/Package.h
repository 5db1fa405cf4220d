#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Runs the package tool on its arguments (without the program's name):
// INPUT REFERENCE -o DIR [--floor F] [--cxx COMPILER]. Writes DIR/kattis, a
// problem package in the Kattis format (which DOMjudge imports too), and
// DIR/cms, a task folder for CMS's importer, whose checker it compiles with
// the floor in it. Returns the exit code; DIR is written whole or not at all.
int runPackageCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);
