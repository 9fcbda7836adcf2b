#include "package/work_folder.h"

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"

namespace tarvik {

TWorkFolder::TWorkFolder(const std::string& prefix)
    : FGuidHex(NewGuidHex()), FPath(TempWorkFolder(prefix + FGuidHex)) {
  if (!ForceDirectories(FPath)) throw ETarvikError("Cannot create the folder " + FPath + ".");
}

TWorkFolder::~TWorkFolder() { DeleteTree(FPath); }

}  // namespace tarvik
