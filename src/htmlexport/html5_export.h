// The single-file HTML5 export: loads a .pptx below the "Tarvik_HTML" work
// folder and writes its player page as one self-contained file.
#pragma once
#include <string>

namespace tarvik {

// Writes the player page of pptxFile to outputFile (UTF-8 with a byte order
// mark, replacing an existing file) and gives the slide and object counts.
// Raises ETarvikError: "PowerPoint file not found: <file>", "Output HTML
// filename is required.", the loader's and the file system's messages.
// Returns whether the output file exists afterwards. Counts are 0 on failure.
bool ExportHTML5(const std::string& pptxFile, const std::string& outputFile, int& slideCount,
                 int& objectCount);

// The checks every single-file export makes before it reads the deck, in
// order: the deck exists, an output is named (else missingOutput), the
// output is not the deck itself (writing it would destroy the deck), and
// the output's folder exists or can be made. Raises ETarvikError.
void CheckSingleFileExport(const std::string& pptxFile, const std::string& outputFile,
                           const std::string& missingOutput);

}  // namespace tarvik
