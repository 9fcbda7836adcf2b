// A loaded presentation written out as a publication source file with its
// media folder: the part of the import that follows the loader.
#pragma once
#include <cstdint>
#include <string>

#include "pptx/model.h"

namespace tarvik {

// The publication's title: the presentation's file name without folder and
// extension, then " - Imported".
std::string PublicationTitle(const std::string& pptxFile);

// The whole publication text (UTF-8) of Presentation, placing pictures and
// media beside PubFile as it goes. SlideCount is set first; ObjectCount
// counts every shape visited, also those without a record.
std::string BuildPublicationText(const TPPTXPresentation& presentation, const std::string& pptxFile,
                                 const std::string& pubFile, int32_t& slideCount, int32_t& objectCount);

// BuildPublicationText, then PubFile written in the ANSI code page without a
// byte-order mark, through a temporary file that replaces any older one only
// once it is complete.
void WritePublication(const TPPTXPresentation& presentation, const std::string& pptxFile,
                      const std::string& pubFile, int32_t& slideCount, int32_t& objectCount);

}  // namespace tarvik
