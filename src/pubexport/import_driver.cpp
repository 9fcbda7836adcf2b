// ConvertPPTXToPub: checks, the loader, and the publication writing.
#include "pubexport/import_driver.h"

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "platform/watcher.h"
#include "pptx/loader.h"
#include "pubexport/publication_import.h"

namespace tarvik {

std::string ImportExtractionRoot() {
  return TempWorkFolder("Tarvik_Import");
}

namespace {
void CreateFolder(const std::string& folder) {
  if (folder.empty()) throw ETarvikError("Unable to create directory");
  if (!ForceDirectories(folder)) throw ETarvikError("Unable to create directory: " + folder);
}
}  // namespace

bool ConvertPPTXToPub(const std::string& pptxFile, const std::string& pubFile, int32_t& slideCount,
                      int32_t& objectCount) {
  slideCount = 0;
  objectCount = 0;
  // The two failures that answer false: the action gives its own message.
  if (!FileExists(pptxFile)) return FailWithReason("PowerPoint file not found: " + pptxFile);
  CreateFolder(ExtractFileDir(pubFile));
  std::string root = ImportExtractionRoot();
  CreateFolder(root);
  std::unique_ptr<TPPTXPresentation> presentation = LoadPPTXPresentation(pptxFile, root);
  if (!presentation || presentation->SlideWidthPx() <= 0 || presentation->SlideHeightPx() <= 0)
    return FailWithReason("The presentation has no slide size: " + pptxFile);
  WritePublication(*presentation, pptxFile, pubFile, slideCount, objectCount);
  return true;
}

}  // namespace tarvik
