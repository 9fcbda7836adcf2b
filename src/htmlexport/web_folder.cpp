// Web folder export: runs the single-file export into a staging file, moves
// the data URIs out into asset files, and writes "index.html".
#include "htmlexport/web_folder.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <unordered_map>

#include "htmlexport/html5_export.h"
#include "platform/error.h"
#include "platform/files.h"

namespace tarvik {

namespace {

constexpr std::string_view kDataPrefix = "data:";
constexpr std::string_view kBase64Marker = ";base64,";
constexpr const char* kStagingName = ".Tarvik_staging.html";

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

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

constexpr std::array<int8_t, 256> MakeBase64Table() {
  std::array<int8_t, 256> table{};
  for (auto& v : table) v = -1;
  constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (size_t i = 0; i < alphabet.size(); ++i)
    table[static_cast<unsigned char>(alphabet[i])] = static_cast<int8_t>(i);
  return table;
}

}  // namespace

bool DecodeBase64(std::string_view text, std::string& bytes) {
  static constexpr std::array<int8_t, 256> kTable = MakeBase64Table();
  bytes.clear();
  if (text.size() % 4 != 0) return false;
  size_t padding = 0;
  if (!text.empty() && text.back() == '=') padding = (text.size() >= 2 && text[text.size() - 2] == '=') ? 2 : 1;
  bytes.resize(text.size() / 4 * 3 - padding);
  size_t out = 0;
  for (size_t i = 0; i < text.size(); i += 4) {
    bool last = i + 4 == text.size();
    int32_t v[4];
    for (size_t k = 0; k < 4; ++k) {
      char c = text[i + k];
      if (c == '=' && last && k >= 4 - padding) {
        v[k] = 0;
        continue;
      }
      v[k] = kTable[static_cast<unsigned char>(c)];
      if (v[k] < 0) return false;
    }
    uint32_t triple = (static_cast<uint32_t>(v[0]) << 18) | (static_cast<uint32_t>(v[1]) << 12) |
                      (static_cast<uint32_t>(v[2]) << 6) | static_cast<uint32_t>(v[3]);
    size_t count = last ? 3 - padding : 3;
    for (size_t k = 0; k < count; ++k) bytes[out++] = static_cast<char>((triple >> (16 - 8 * k)) & 0xFF);
  }
  return true;
}

std::string ExtensionForMimeType(std::string_view mimeType) {
  static constexpr std::pair<std::string_view, std::string_view> kTable[] = {
      {"image/png", ".png"},   {"image/jpeg", ".jpg"},  {"image/gif", ".gif"},  {"image/svg+xml", ".svg"},
      {"image/bmp", ".bmp"},   {"image/webp", ".webp"}, {"video/mp4", ".mp4"},  {"video/webm", ".webm"},
      {"audio/ogg", ".ogg"},   {"audio/mpeg", ".mp3"},  {"audio/wav", ".wav"},
  };
  for (const auto& [mime, extension] : kTable)
    if (EqualsIgnoreCase(mimeType, mime)) return std::string(extension);
  return ".bin";
}

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

bool ExportWebFolder(const std::string& pptxFile, const std::string& outputFolder, int& slideCount,
                     int& objectCount) {
  slideCount = 0;
  objectCount = 0;
  auto blank = [](const std::string& text) {
    for (char c : text)
      if (static_cast<unsigned char>(c) > 32) return false;
    return true;
  };
  if (blank(pptxFile) || !FileExists(pptxFile) || blank(outputFolder)) return false;
  std::string assetsFolder = JoinPath(outputFolder, "assets");
  if (!ForceDirectories(outputFolder) || !ForceDirectories(assetsFolder)) return false;
  std::string staging = JoinPath(outputFolder, kStagingName);
  std::string index = JoinPath(outputFolder, "index.html");
  try {
    // A deck that is itself named index.html in that folder would be overwritten.
    if (SameFile(pptxFile, index)) return false;
    if (!ExportHTML5(pptxFile, staging, slideCount, objectCount)) {
      DeleteTree(staging);
      return false;
    }
    std::string page = ReadFileBytes(staging);
    std::string_view text = page;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::string result = ExternalizeDataUris(text, assetsFolder, "assets/");
    page = std::string();  // the staged copy is no longer needed
    WriteTextFileReplacing(index, result, true);
    DeleteTree(staging);
    return FileExists(index);
  } catch (const std::exception&) {
    DeleteTree(staging);
    return false;
  }
}

}  // namespace tarvik
