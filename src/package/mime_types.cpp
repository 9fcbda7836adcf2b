// Extension <-> MIME type. Where a type has several extensions, the first
// listed is the one a file of that type is given.
#include "package/mime_types.h"

#include "platform/ascii.h"

namespace tarvik {

namespace {

struct TMimeEntry {
  std::string_view Extension;
  std::string_view Mime;
};

constexpr TMimeEntry kMimeTable[] = {
    {".png", "image/png"},  {".jpg", "image/jpeg"},    {".jpeg", "image/jpeg"}, {".gif", "image/gif"},
    {".svg", "image/svg+xml"}, {".bmp", "image/bmp"},  {".webp", "image/webp"}, {".mp4", "video/mp4"},
    {".webm", "video/webm"}, {".ogg", "audio/ogg"},    {".mp3", "audio/mpeg"},  {".wav", "audio/wav"},
};

}  // namespace

std::string MimeTypeForFile(std::string_view fileName) {
  // A dot in a folder name is no extension.
  size_t nameStart = fileName.find_last_of("/\\");
  nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
  size_t dot = fileName.rfind('.');
  if (dot != std::string_view::npos && dot >= nameStart)
    for (const auto& entry : kMimeTable)
      if (SameText(fileName.substr(dot), entry.Extension)) return std::string(entry.Mime);
  return "application/octet-stream";
}

std::string ExtensionForMimeType(std::string_view mimeType) {
  for (const auto& entry : kMimeTable)
    if (SameText(mimeType, entry.Mime)) return std::string(entry.Extension);
  return ".bin";
}

std::string SniffPictureType(std::string_view head) {
  if (head.starts_with("\x89PNG\r\n\x1A\n")) return "image/png";
  if (head.starts_with("\xFF\xD8\xFF")) return "image/jpeg";
  if (head.starts_with("GIF87a") || head.starts_with("GIF89a")) return "image/gif";
  if (head.size() >= 12 && head.starts_with("RIFF") && head.substr(8, 4) == "WEBP") return "image/webp";
  return "";
}

}  // namespace tarvik
