// The SCORM package's runtime script, as scorm_runtime.js holds it (comments
// and all). Its bytes are compiled in at build time (embed_assets.cmake);
// CompactAsset turns them into what the launch page carries.
#pragma once
#include <string_view>

namespace tarvik::assets {

std::string_view ScormRuntime();

}  // namespace tarvik::assets
