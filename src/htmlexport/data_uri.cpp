// data: URIs of files, encoded a block at a time onto the end of the page
// being written.
#include "htmlexport/data_uri.h"

#include <algorithm>

#include "package/base64.h"
#include "package/mime_types.h"

namespace tarvik {

namespace {

// Calls Part with the file's Base64 a block at a time, in order.
template <typename F>
void ForEachBase64Block(const std::string& fileName, F part) {
  TFileReader reader(fileName);
  std::string bytes(kBase64BlockBytes, '\0');
  std::string text;
  TBase64Stream base64;
  while (const size_t got = reader.Read(bytes.data(), bytes.size())) {
    text.clear();
    base64.Add(std::string_view(bytes.data(), got), text);
    if (!text.empty()) part(std::string_view(text));
  }
  text.clear();
  base64.Finish(text);
  if (!text.empty()) part(std::string_view(text));
}

}  // namespace

std::string DataUriPrefix(const std::string& fileName) {
  return "data:" + MimeTypeForFile(fileName) + ";base64,";
}

uint64_t DataUriLength(const std::string& fileName) {
  const int64_t size = fileName.empty() ? -1 : FileSize(fileName);
  if (size <= 0 || !FileExists(fileName)) return 0;
  return DataUriPrefix(fileName).size() + Base64Length64(static_cast<uint64_t>(size));
}

bool WriteFileDataUri(TByteSink& out, const std::string& fileName) {
  if (DataUriLength(fileName) == 0) return false;
  out.Write(DataUriPrefix(fileName));
  ForEachBase64Block(fileName, [&](std::string_view text) { out.Write(text); });
  return true;
}

bool AppendFileDataUri(std::string& out, const std::string& fileName) {
  const uint64_t length = DataUriLength(fileName);
  if (length == 0) return false;
  // Grow once for the whole URI, but geometrically, so that many pictures
  // appended to one buffer never copy it over and over.
  if (length > out.max_size() - out.size()) throw std::bad_alloc();
  const size_t needed = out.size() + static_cast<size_t>(length);
  if (needed > out.capacity()) out.reserve(std::max(needed, 2 * out.capacity()));
  TStringSink sink(out);
  return WriteFileDataUri(sink, fileName);
}

std::string FileToDataUri(const std::string& fileName) {
  std::string out;
  AppendFileDataUri(out, fileName);
  return out;
}

}  // namespace tarvik
