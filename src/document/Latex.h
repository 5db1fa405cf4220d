#pragma once

#include <string>

#include "document/Document.h"

// The document as the body of a problem statement in the Kattis problem
// package format: \problemname, then sections, lists and verbatim blocks,
// with every character that LaTeX would read as markup escaped. UTF-8 stays
// as it is; the format's class reads it.
std::string latexOf(const TDocument& document);
