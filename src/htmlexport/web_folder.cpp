// Web folder export: runs the single-file export into a staging file, moves
// the data URIs out into asset files, and writes "index.html".
#include "htmlexport/web_folder.h"

#include <cstdio>
#include <exception>
#include <unordered_map>

#include "htmlexport/html5_export.h"
#include "package/base64.h"
#include "package/mime_types.h"
#include "package/text_file.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/watcher.h"

namespace tarvik {

namespace {

constexpr std::string_view kDataPrefix = "data:";
constexpr std::string_view kBase64Marker = ";base64,";
constexpr const char* kStagingName = ".Tarvik_staging.html";

// The renderer writes every URI as a whole attribute value: <image href="...">,
// <video src="...">, <audio src="...">. Slide text is HTML-escaped, so its
// double quotes never appear raw and it cannot imitate this.
bool StartsAttributeValue(std::string_view doc, size_t pos) {
  for (std::string_view attribute : {std::string_view(" href=\""), std::string_view(" src=\"")})
    if (pos >= attribute.size() && doc.substr(pos - attribute.size(), attribute.size()) == attribute)
      return true;
  return false;
}

bool EndsPayload(char c) { return c == '"' || c == '\'' || static_cast<unsigned char>(c) <= 32; }

}  // namespace

std::string ExternalizeDataUris(std::string_view document, const std::string& assetsFolder,
                                const std::string& prefix) {
  if (document.empty()) return std::string();
  if (!ForceDirectories(assetsFolder)) throw ETarvikError("Cannot create the folder " + assetsFolder + ".");
  std::string out;
  out.reserve(document.size() + 1024);
  // Keys are views into Document, which outlives the map.
  std::unordered_map<std::string_view, std::string> references;
  std::string bytes;
  size_t copyMark = 0, scan = 0;
  while (true) {
    size_t start = document.find(kDataPrefix, scan);
    if (start == std::string_view::npos) break;
    scan = start + kDataPrefix.size();
    if (!StartsAttributeValue(document, start)) continue;
    // The MIME type and the marker stay inside the attribute value.
    size_t valueEnd = document.find('"', scan);
    if (valueEnd == std::string_view::npos) break;
    size_t marker = document.find(kBase64Marker, scan);
    if (marker == std::string_view::npos || marker > valueEnd) continue;
    size_t payloadStart = marker + kBase64Marker.size();
    size_t payloadEnd = payloadStart;
    while (payloadEnd < document.size() && !EndsPayload(document[payloadEnd])) ++payloadEnd;
    if (payloadEnd == payloadStart || payloadEnd != valueEnd) continue;
    std::string_view uri = document.substr(start, payloadEnd - start);
    auto found = references.find(uri);
    if (found == references.end()) {
      // Not Base64 after all: not something the renderer wrote; leave it.
      if (!DecodeBase64(document.substr(payloadStart, payloadEnd - payloadStart), bytes)) continue;
      std::string mime(document.substr(start + kDataPrefix.size(), marker - start - kDataPrefix.size()));
      char name[64];
      std::snprintf(name, sizeof name, "asset_%4.4d%s", static_cast<int>(references.size() + 1),
                    ExtensionForMimeType(mime).c_str());
      WriteFileBytes(JoinPath(assetsFolder, name), bytes);
      found = references.emplace(uri, prefix + name).first;
    }
    out.append(document.substr(copyMark, start - copyMark));
    out.append(found->second);
    copyMark = scan = payloadEnd;
  }
  out.append(document.substr(copyMark));
  return out;
}

bool WriteWebFolder(const std::string& pptxFile, const std::string& outputFolder, int& slideCount,
                    int& objectCount) {
  slideCount = 0;
  objectCount = 0;
  if (IsBlank(pptxFile) || !FileExists(pptxFile)) throw ETarvikError("PowerPoint file not found: " + pptxFile);
  if (IsBlank(outputFolder)) throw ETarvikError("Output web folder is required.");
  const std::string assetsFolder = JoinPath(outputFolder, "assets");
  for (const std::string* folder : {&outputFolder, &assetsFolder})
    if (!ForceDirectories(*folder)) throw ETarvikError("Cannot create the folder " + *folder + ".");
  const std::string staging = JoinPath(outputFolder, kStagingName);
  const std::string index = JoinPath(outputFolder, "index.html");
  // A deck that is itself named index.html in that folder would be overwritten.
  if (SameFile(pptxFile, index)) throw ETarvikError("The output file is the PowerPoint file itself: " + index);
  try {
    if (!ExportHTML5(pptxFile, staging, slideCount, objectCount))
      throw ETarvikError("Cannot write file \"" + staging + "\".");
    std::string page = ReadFileBytes(staging);
    std::string_view text = page;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::string result = ExternalizeDataUris(text, assetsFolder, "assets/");
    page = std::string();  // the staged copy is no longer needed
    WriteTextFileReplacing(index, result, true);
  } catch (...) {
    DeleteTree(staging);
    throw;
  }
  DeleteTree(staging);
  return FileExists(index);
}

bool ExportWebFolder(const std::string& pptxFile, const std::string& outputFolder, int& slideCount,
                     int& objectCount) {
  try {
    return WriteWebFolder(pptxFile, outputFolder, slideCount, objectCount);
  } catch (const std::exception& e) {
    return FailWithReason(e.what());
  } catch (...) {
    return false;
  }
}

}  // namespace tarvik
