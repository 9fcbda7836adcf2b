// The PWA export's fixed texts, as the files pwa_*.{html,svg,webmanifest},
// pwa.js and service_worker.js hold them (comments and all). Their bytes are
// compiled in at build time (embed_assets.cmake); CompactAsset turns them
// into what the folder carries, and FillTemplate fills in their {{NAMES}}.
#pragma once
#include <string_view>

namespace tarvik::assets {

std::string_view PwaManifest();
std::string_view PwaIcon();
std::string_view PwaHeadMarkup();
std::string_view PwaBodyMarkup();
std::string_view PwaScript();
std::string_view PwaServiceWorker();

}  // namespace tarvik::assets
