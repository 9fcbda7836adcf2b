#include "cli/private_temp.h"

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"

namespace tarvik {

TPrivateTemp::TPrivateTemp(bool keep) : keep_(keep) {
  path_ = JoinPath(UserTempFolder(), "tarvik-" + NewGuidHex());
  if (!ForceDirectories(path_)) throw ETarvikError("Cannot create the folder " + path_ + ".");
  // Everything that asks for a temporary folder must land here: the plug-in
  // reads TEMP, the platform layer TMPDIR first.
  for (const char* name : {"TEMP", "TMP", "TMPDIR"}) SetEnvVar(name, path_);
}

TPrivateTemp::~TPrivateTemp() {
  if (!keep_) DeleteTree(path_);
}

TExtractionRoot::TExtractionRoot() {
  // main gives each run a private TEMP; prefer it to TMPDIR and friends.
  std::string base = GetEnvVar("TEMP");
  if (base.empty() || !DirectoryExists(base)) base = UserTempFolder();
  path_ = JoinPath(base, "Tarvik_Info_" + NewGuidHex());
}

TExtractionRoot::~TExtractionRoot() { DeleteTree(path_); }

}  // namespace tarvik
