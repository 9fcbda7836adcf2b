// The PWA export: the web folder made installable and usable offline, with
// a web app manifest, two generated icons, a service worker that keeps
// every file of the folder in a cache of this export's own, and the markup
// in index.html that registers it and offers installation.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

// The manifest, one line of JSON, with the title as name and short name.
std::string BuildWebManifest(const std::string& title, const std::string& startUrl);
// The icon at Size pixels, labelled with the title's first two characters
// (whole characters, however many bytes each takes).
std::string BuildAppIconSvg(const std::string& title, int size);
// The worker script; Precache holds URL paths, as PrecacheList gives them.
std::string BuildServiceWorker(const std::string& cacheName, const std::vector<std::string>& precache);
// Page with the manifest link and app meta tags before every "</head>", and
// the install button, the network badge and the registration script before
// every "</body>".
std::string InjectPwaMarkup(std::string_view page);

// Every file below Folder as a URL path relative to it ("/" separators, each
// name percent-encoded), depth first in the order the file system lists
// each folder, except "service-worker.js" at the top (in any letter case).
std::vector<std::string> PrecacheList(const std::string& folder);

// Exports pptxFile into outputFolder as a web folder (counts from there),
// then adds icons, manifest and worker and rewrites "index.html" (UTF-8
// without byte order mark). Raises ETarvikError: "PowerPoint file not found:
// <file>", "Output PWA folder is required.", the file system's messages.
// False, without a message, when the web folder export fails, or when
// "index.html", "manifest.webmanifest" or "service-worker.js" is missing at
// the end.
bool ExportPWA(const std::string& pptxFile, const std::string& outputFolder, int& slideCount,
               int& objectCount);

}  // namespace tarvik
