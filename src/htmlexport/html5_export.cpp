// Single-file export driver: checks, work folder, loader, the player page
// written as it is rendered.
#include "htmlexport/html5_export.h"

#include "htmlexport/data_uri.h"
#include "htmlexport/player_document.h"
#include "htmlexport/render_context.h"
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
  // Written as it is made into a temporary file, which becomes the output
  // only once the page is whole; it goes when anything fails.
  TReplacingFile page(outputFile);
  page.Write(kUtf8Bom);
  TRenderContext context(*presentation);
  context.SharePictures();
  context.ReferenceMedia();
  WritePlayerDocument(page, *presentation, pptxFile, objects, context, [&](TByteSink& out, size_t index) {
    WriteFileDataUri(out, context.ReferencedMedia()[index]);
  });
  page.Commit();
  objectCount = objects;
  slideCount = static_cast<int>(presentation->Slides.size());
  return FileExists(outputFile);
}

}  // namespace tarvik
