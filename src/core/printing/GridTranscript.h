#pragma once

#include "core/printing/GridLayout.h"

#include <QString>

namespace quillet {

// The plain-text transcript of laid-out pages, read by tests and `quillet-cli
// --grid`. For each page a line "page N portrait" (or "landscape"), then one line
// per text line, blank or not: its number on the page, a space, the font size in
// points followed by "b" when bold, a space, "|", and the text placed so that the
// character after "|" is column 1; trailing spaces dropped. Each line ends in "\n".
QString gridTranscript(const GridLayout& layout);

// The transcript of a document laid out on a PDF page.
QString gridTranscript(const GridDocument& document);

} // namespace quillet
