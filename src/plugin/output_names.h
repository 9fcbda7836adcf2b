// File-name rules of the property dialogs. A name's extension is what follows
// its last dot, unless a folder separator or a drive colon comes after that
// dot: "C:\talks.old\deck" has none. Both separators count on every system,
// so the rules give the same answers for the host's names and for POSIX ones.
#pragma once
#include <string>

namespace tarvik {

// The extension (from the dot on) replaced by Extension, or Extension
// appended when the name has none. An empty Extension removes it.
std::string ReplaceExtension(const std::string& name, const std::string& extension);
// Everything after the last separator or colon; the whole name without one.
std::string FileNamePart(const std::string& name);
// Everything up to and including the last separator or colon; "" without one.
std::string FolderPart(const std::string& name);

// How an export's dialog names its output after the presentation: the
// extension replaced by Extension, then Suffix appended.
struct TOutputDefault {
  const char* Extension;
  const char* Suffix;
};
std::string DefaultOutputName(const std::string& presentation, const TOutputDefault& rule);

}  // namespace tarvik
