// The reader's single entry point: unpacks a .pptx below an extraction root
// and builds the presentation model from it.
#pragma once
#include <memory>
#include <string>

#include "pptx/model.h"

namespace tarvik {

// Loads File into a new presentation, owned by the caller. Raises
// ETarvikError ("PPTX file not found: <file>" or the failing component's
// message); nothing half-built escapes. The extraction folder
// (<root>/<base name>_extracted) stays on disk for the model's media paths.
std::unique_ptr<TPPTXPresentation> LoadPPTXPresentation(const std::string& file,
                                                         const std::string& extractionRoot);

}  // namespace tarvik
