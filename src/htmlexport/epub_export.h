// The EPUB export: a .pptx as a fixed-layout EPUB 3.3 book, one page per
// slide, loaded below a "Tarvik_EPUB_<GUID>" work folder that is removed
// when the export ends.
#pragma once
#include <string>

namespace tarvik {

// Writes the book of pptxFile to outputFile (an earlier file of that name is
// replaced once the book is ready to be written) and gives the slide and
// object counts. Raises ETarvikError: "PowerPoint file not found: <file>",
// "Output EPUB filename is required.", a deck without slides, the loader's,
// the file system's and the archive's messages. Returns whether the book
// exists and is not empty afterwards. Counts are 0 on failure.
bool ExportEPUB(const std::string& pptxFile, const std::string& outputFile, int& slideCount,
                int& objectCount);

}  // namespace tarvik
