#pragma once

#include <string>
#include <vector>

#include "document/Document.h"

// The documents as one PDF file, each from a new A4 page: the standard fonts
// Helvetica, Helvetica-Bold and Courier, which every reader has, so nothing
// is embedded, and an encoding that holds the Slovenian letters, so that the
// text can be searched and extracted. The same documents give the same
// bytes. Throws std::invalid_argument for a character outside that
// encoding.
std::string pdfOf(const std::vector<TDocument>& documents);
