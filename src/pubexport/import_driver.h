// The import: a .pptx file in, a VisualNEO Win publication source file with
// its media folder out.
#pragma once
#include <cstdint>
#include <string>

namespace tarvik {

// Loads pptxFile below TEMP's "Tarvik_Import" folder and writes pubFile (a
// full path) with its "media" folder. True when the publication was written;
// false when the presentation file does not exist or its slide size is not
// positive (nothing is written then, and the reason goes to a watching
// command-line host only, platform/watcher.h). Every other failure raises
// ETarvikError. The counts are the slides written and the shapes visited.
bool ConvertPPTXToPub(const std::string& pptxFile, const std::string& pubFile, int32_t& slideCount,
                      int32_t& objectCount);

// TEMP, a separator unless it ends in one, then "Tarvik_Import".
std::string ImportExtractionRoot();

}  // namespace tarvik
