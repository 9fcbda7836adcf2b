// PWA export driver and the texts it adds to the web folder. The fixed
// texts are assets; only the title, the icon size, the cache name and the
// file list vary.
#include "htmlexport/pwa_export.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "htmlexport/assets/pwa_assets.h"
#include "htmlexport/player_document.h"
#include "htmlexport/text_format.h"
#include "htmlexport/web_folder.h"
#include "package/text_escape.h"
#include "package/text_file.h"
#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/fs_path.h"
#include "platform/system.h"

namespace fs = std::filesystem;

namespace tarvik {

namespace {

constexpr std::string_view kWorkerName = "service-worker.js";

// Replaces every Marker by Insert + Marker.
std::string InsertBeforeEach(std::string_view text, std::string_view marker, std::string_view insert) {
  std::string out;
  out.reserve(text.size() + insert.size());
  size_t copied = 0;
  for (size_t at = text.find(marker); at != std::string_view::npos; at = text.find(marker, at + marker.size())) {
    out.append(text.substr(copied, at - copied));
    out.append(insert);
    copied = at;
  }
  out.append(text.substr(copied));
  return out;
}

const std::string& HeadBlock() {
  static const std::string text = CompactAsset(assets::PwaHeadMarkup(), TAssetSyntax::Markup);
  return text;
}

const std::string& BodyBlock() {
  static const std::string text = CompactAsset(assets::PwaBodyMarkup(), TAssetSyntax::Markup) + "<script>" +
                                  CompactAsset(assets::PwaScript(), TAssetSyntax::Script) + "</script>";
  return text;
}

// Names in the worker's list are URL paths, with "/" on every system.
std::string UrlPathOf(const fs::path& relative) {
  std::string text = FromFs(relative);
  std::replace(text.begin(), text.end(), kPathSep, '/');
  return text;
}

}  // namespace

std::string BuildWebManifest(const std::string& title, const std::string& startUrl) {
  static const std::string manifest = CompactAsset(assets::PwaManifest(), TAssetSyntax::Css);
  return FillTemplate(manifest, {{"NAME", JsonEscape(title)}, {"START_URL", JsonEscape(startUrl)}});
}

std::string BuildAppIconSvg(const std::string& title, int size) {
  static const std::string icon = CompactAsset(assets::PwaIcon(), TAssetSyntax::Markup);
  // Two characters: up to the third byte that does not continue a UTF-8 sequence.
  size_t end = 0;
  for (int starts = 0; end < title.size(); ++end)
    if ((static_cast<unsigned char>(title[end]) & 0xC0) != 0x80 && ++starts == 3) break;
  std::string label;
  for (char c : std::string_view(title).substr(0, end)) {
    if (c == '&') label += "&amp;";
    else if (c == '<') label += "&lt;";
    else if (c == '>') label += "&gt;";
    else label += c;
  }
  return FillTemplate(icon, {{"SIZE", std::to_string(size)}, {"LABEL", label}});
}

std::string BuildServiceWorker(const std::string& cacheName, const std::vector<std::string>& precache) {
  static const std::string worker = CompactAsset(assets::PwaServiceWorker(), TAssetSyntax::Script);
  std::string list;
  for (const auto& path : precache) {
    if (!list.empty()) list += ',';
    list += '"' + JsEscape(path) + '"';
  }
  return FillTemplate(worker, {{"CACHE_NAME", JsEscape(cacheName)}, {"PRECACHE", list}});
}

std::string InjectPwaMarkup(std::string_view page) {
  return InsertBeforeEach(InsertBeforeEach(page, "</head>", HeadBlock()), "</body>", BodyBlock());
}

std::vector<std::string> PrecacheList(const std::string& folder) {
  std::vector<std::string> list;
  const fs::path root = ToFs(folder);
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    if (!it->is_regular_file(ignored)) continue;
    std::string relative = UrlPathOf(it->path().lexically_relative(root));
    if (SameText(relative, kWorkerName)) continue;
    list.push_back(PercentEncodePath(relative));
  }
  if (ec) throw ETarvikError("Cannot list the folder " + folder + ": " + ec.message());
  return list;
}

bool ExportPWA(const std::string& pptxFile, const std::string& outputFolder, int& slideCount,
               int& objectCount) {
  slideCount = 0;
  objectCount = 0;
  if (!FileExists(pptxFile)) throw ETarvikError("PowerPoint file not found: " + pptxFile);
  if (IsBlank(outputFolder)) throw ETarvikError("Output PWA folder is required.");
  if (!ForceDirectories(outputFolder)) throw ETarvikError("Cannot create the folder " + outputFolder + ".");

  const std::string manifest = JoinPath(outputFolder, "manifest.webmanifest");
  const std::string worker = JoinPath(outputFolder, std::string(kWorkerName));
  const std::string icons = JoinPath(outputFolder, "icons");
  const std::string icon192 = JoinPath(icons, "icon-192.svg"), icon512 = JoinPath(icons, "icon-512.svg");
  // A deck kept under one of these names would be written over.
  for (const std::string* file : {&manifest, &worker, &icon192, &icon512})
    if (SameFile(pptxFile, *file))
      throw ETarvikError("The PowerPoint file would be overwritten by the export: " + *file);

  if (!ExportWebFolder(pptxFile, outputFolder, slideCount, objectCount)) return false;

  // The name goes into JSON and SVG: a file name that is no valid UTF-8 gets U+FFFD.
  const std::string title = Utf16ToUtf8(Utf8ToUtf16(RemoveExtension(ExtractFileName(pptxFile))));
  if (!ForceDirectories(icons)) throw ETarvikError("Cannot create the folder " + icons + ".");
  const std::string cacheName = "Tarvik-" + NewGuidHex();
  WriteUtf8File(icon192, BuildAppIconSvg(title, 192));
  WriteUtf8File(icon512, BuildAppIconSvg(title, 512));
  WriteUtf8File(manifest, BuildWebManifest(title, "./index.html"));

  const std::string index = JoinPath(outputFolder, "index.html");
  std::string page = ReadFileBytes(index);
  std::string_view text = page;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  WriteUtf8File(index, InjectPwaMarkup(text));

  // Made last, so that it holds the page, the manifest and the icons too.
  WriteUtf8File(worker, BuildServiceWorker(cacheName, PrecacheList(outputFolder)));
  return FileExists(index) && FileExists(manifest) && FileExists(worker);
}

}  // namespace tarvik
