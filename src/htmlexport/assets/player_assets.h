// The player page's fixed stylesheet and script, as the files player.css and
// player.js hold them (comments and all). Their bytes are compiled in at
// build time (embed_assets.cmake); CompactAsset in the document builder turns
// them into what a page carries.
#pragma once
#include <string_view>

namespace tarvik::assets {

std::string_view PlayerStylesheet();
std::string_view PlayerScript();
// The fitting of shrunk text, which the player's and the H5P script take in.
std::string_view TextFitScript();

}  // namespace tarvik::assets
