// The single-file HTML5 export: loads a .pptx below the "Tarvik_HTML" work
// folder and writes its player page as one self-contained file.
#pragma once
#include <string>
#include <string_view>

namespace tarvik {

// Writes the player page of PptxFile to OutputFile (UTF-8 with a byte order
// mark, replacing an existing file) and gives the slide and object counts.
// Raises ETarvikError: "PowerPoint file not found: <file>", "Output HTML
// filename is required.", the loader's and the file system's messages.
// Returns whether the output file exists afterwards. Counts are 0 on failure.
bool ExportHTML5(const std::string& pptxFile, const std::string& outputFile, int& slideCount,
                 int& objectCount);

// Writes Text to Path as UTF-8, after a byte order mark when WithBom, through
// a temporary file beside it that then replaces Path: a failed write leaves
// an earlier file of that name as it was. Raises ETarvikError.
void WriteTextFileReplacing(const std::string& path, std::string_view text, bool withBom);

// Path made absolute against the current folder (no links resolved).
std::string ExpandFileName(const std::string& path);

// True when both names lead to the same existing file.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace tarvik
