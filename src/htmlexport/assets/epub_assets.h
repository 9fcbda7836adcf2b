// The EPUB book's fixed files, as epub.css and epub_container.xml hold them
// (comments and all). Their bytes are compiled in at build time
// (embed_assets.cmake); CompactAsset turns them into what the book carries.
#pragma once
#include <string_view>

namespace tarvik::assets {

std::string_view EpubStylesheet();
std::string_view EpubContainer();

}  // namespace tarvik::assets
