// The H5P package's fixed files, as h5p_library.json, h5p_semantics.json,
// lumio-presentation.js and lumio-presentation.css hold them (comments and
// all). Their bytes are compiled in at build time (embed_assets.cmake);
// CompactAsset turns them into what the package carries.
#pragma once
#include <string_view>

namespace tarvik::assets {

std::string_view H5pLibrary();
std::string_view H5pSemantics();
std::string_view H5pScript();
std::string_view H5pStylesheet();

}  // namespace tarvik::assets
