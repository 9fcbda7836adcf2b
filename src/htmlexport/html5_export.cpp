// Single-file export driver: checks, work folder, loader, player page, write.
#include "htmlexport/html5_export.h"

#include "htmlexport/player_document.h"
#include "package/text_file.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pptx/loader.h"

namespace tarvik {

namespace {

constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

void CheckSingleFileExport(const std::string& pptxFile, const std::string& outputFile,
                           const std::string& missingOutput) {
  if (!FileExists(pptxFile)) throw ETarvikError("PowerPoint file not found: " + pptxFile);
  if (IsBlank(outputFile)) throw ETarvikError(missingOutput);
  if (SameFile(pptxFile, outputFile))
    throw ETarvikError("The output file is the PowerPoint file itself: " + outputFile);
  std::string folder = ExtractFileDir(ExpandFileName(outputFile));
  if (!folder.empty() && !ForceDirectories(folder))
    throw ETarvikError("Cannot create the folder " + folder + ".");
}

bool ExportHTML5(const std::string& pptxFile, const std::string& outputFile, int& slideCount,
                 int& objectCount) {
  slideCount = 0;
  objectCount = 0;
  CheckSingleFileExport(pptxFile, outputFile, "Output HTML filename is required.");
  std::string workRoot = TempWorkFolder("Tarvik_HTML");
  if (!ForceDirectories(workRoot)) throw ETarvikError("Cannot create the folder " + workRoot + ".");

  // The presentation is freed when this scope ends, whatever happens below.
  std::unique_ptr<TPPTXPresentation> presentation = LoadPPTXPresentation(pptxFile, workRoot);
  int objects = 0;
  std::string page = kUtf8Bom;
  AppendPlayerDocument(page, *presentation, pptxFile, objects);
  WriteTextFileReplacing(outputFile, page, false);
  objectCount = objects;
  slideCount = static_cast<int>(presentation->Slides.size());
  return FileExists(outputFile);
}

}  // namespace tarvik
