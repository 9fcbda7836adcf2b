#include "plugin/output_names.h"

namespace tarvik {

namespace {
constexpr const char* kPartDelimiters = "\\/:";
}  // namespace

std::string ReplaceExtension(const std::string& name, const std::string& extension) {
  size_t last = name.find_last_of(std::string(kPartDelimiters) + ".");
  if (last == std::string::npos || name[last] != '.') return name + extension;
  return name.substr(0, last) + extension;
}

std::string FileNamePart(const std::string& name) {
  size_t last = name.find_last_of(kPartDelimiters);
  return last == std::string::npos ? name : name.substr(last + 1);
}

std::string FolderPart(const std::string& name) {
  size_t last = name.find_last_of(kPartDelimiters);
  return last == std::string::npos ? std::string() : name.substr(0, last + 1);
}

std::string DefaultOutputName(const std::string& presentation, const TOutputDefault& rule) {
  return ReplaceExtension(presentation, rule.Extension) + rule.Suffix;
}

}  // namespace tarvik
