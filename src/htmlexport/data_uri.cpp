// data: URIs of files, encoded straight onto the end of the page being built.
#include "htmlexport/data_uri.h"

#include <algorithm>

#include "package/base64.h"
#include "package/mime_types.h"
#include "platform/files.h"

namespace tarvik {

bool AppendFileDataUri(std::string& out, const std::string& fileName) {
  if (fileName.empty() || !FileExists(fileName)) return false;
  std::string bytes = ReadFileBytes(fileName);
  if (bytes.empty()) return false;
  std::string mime = MimeTypeForFile(fileName);
  // Grow once for the whole URI, but geometrically, so that many pictures
  // appended to one buffer never copy it over and over.
  size_t needed = out.size() + 5 + mime.size() + 8 + Base64Length(bytes.size());
  if (needed > out.capacity()) out.reserve(std::max(needed, 2 * out.capacity()));
  out += "data:";
  out += mime;
  out += ";base64,";
  AppendBase64(out, bytes);
  return true;
}

std::string FileToDataUri(const std::string& fileName) {
  std::string out;
  AppendFileDataUri(out, fileName);
  return out;
}

}  // namespace tarvik
