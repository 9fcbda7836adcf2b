// Host object names: ASCII identifiers made from a shape's name and group
// path, unique on their page through the shape's position.
#include <string>

#include "platform/codepage.h"
#include "pubexport/publication_writer.h"

namespace tarvik {

std::string ObjectBaseName(const TPPTXShape& shape) {
  if (shape.GroupPath.empty()) return shape.Name;
  std::string base = shape.GroupPath;
  for (char& c : base)
    if (c == '/') c = '_';
  return base + "_" + shape.Name;
}

std::string MakeObjectName(const std::string& base, int32_t position) {
  std::u16string units = Utf8ToUtf16(base);
  size_t first = 0, last = units.size();
  while (first < last && units[first] <= 32) ++first;
  while (last > first && units[last - 1] <= 32) --last;
  std::string name;
  for (size_t i = first; i < last; ++i) {
    char16_t u = units[i];
    bool keep = (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') || u == u'_';
    name += keep ? static_cast<char>(u) : '_';
  }
  if (name.empty()) name = "Object";
  if (name[0] >= '0' && name[0] <= '9') name = "Obj_" + name;
  if (name.size() > 40) name.resize(40);
  return name + "_" + std::to_string(position);
}

}  // namespace tarvik
