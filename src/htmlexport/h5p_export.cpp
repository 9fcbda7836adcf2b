// H5P export driver and the package's texts. The library's files are
// assets; only h5p.json and the content vary with the deck.
//
// The slides are rendered as one document (pictures shown on several
// slides defined once, as in the player) with references in place of their
// files, and the content's Base64 slide data is encoded and compressed as
// the archive is written, each file read a block at a time where its
// reference stands (media_pieces.h): the twice-encoded media is never held.
#include "htmlexport/h5p_export.h"

#include <ctime>
#include <vector>

#include "htmlexport/assets/h5p_assets.h"
#include "htmlexport/export_progress.h"
#include "htmlexport/html5_export.h"
#include "htmlexport/media_pieces.h"
#include "htmlexport/player_document.h"
#include "htmlexport/render_context.h"
#include "htmlexport/svg_renderer.h"
#include "htmlexport/text_format.h"
#include "package/work_folder.h"
#include "package/zip_writer.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pptx/loader.h"

namespace tarvik {

const char* const H5pLibraryAuthor = "Tarvik";

namespace {

constexpr const char* kLibraryFolder = "H5P.LumioPresentation-1.0/";

TZipEntry TextEntry(const std::string& name, std::string text) {
  TZipEntry entry;
  entry.Name = name;
  entry.Bytes = std::move(text);
  return entry;
}

}  // namespace

std::string H5pJsonTitle(const std::string& title) {
  std::string out;
  for (char c : title) {
    if (c == '\'') out += c;
    else out += JsEscape(std::string_view(&c, 1));
  }
  return out;
}

std::string BuildH5pJson(const std::string& title) {
  return "{\"title\":\"" + H5pJsonTitle(title) +
         "\",\"language\":\"und\",\"mainLibrary\":\"H5P.LumioPresentation\",\"embedTypes\":[\"div\",\"iframe\"],"
         "\"preloadedDependencies\":[{\"machineName\":\"H5P.LumioPresentation\",\"majorVersion\":1,"
         "\"minorVersion\":0}]}";
}

std::string H5pContentBefore(const std::string& title, int slideWidth, int slideHeight) {
  return "{\"title\":\"" + H5pJsonTitle(title) +
         "\",\"autoplay\":false,\"interval\":5,\"showControls\":true,\"showThumbnails\":true,\"slideWidth\":" +
         std::to_string(slideWidth) + ",\"slideHeight\":" + std::to_string(slideHeight) + ",\"slidesData\":\"";
}

std::string H5pContentAfter() { return "\"}"; }

const std::string& H5pLibraryJson() {
  static const std::string text =
      FillTemplate(CompactAsset(assets::H5pLibrary(), TAssetSyntax::Css), {{"AUTHOR", H5pLibraryAuthor}});
  return text;
}

const std::string& H5pSemanticsJson() {
  static const std::string text = CompactAsset(assets::H5pSemantics(), TAssetSyntax::Css);
  return text;
}

const std::string& H5pLibraryScript() {
  static const std::string text = WithTextFit(CompactAsset(assets::H5pScript(), TAssetSyntax::Script));
  return text;
}

const std::string& H5pLibraryStylesheet() {
  static const std::string text = CompactAsset(assets::H5pStylesheet(), TAssetSyntax::Css);
  return text;
}

bool ExportH5P(const std::string& pptxFile, const std::string& outputFile, int& slideCount, int& objectCount) {
  slideCount = 0;
  objectCount = 0;
  CheckSingleFileExport(pptxFile, outputFile, "Output H5P filename is required.");

  // Removed when this scope ends, together with the unpacked deck, whatever
  // happens; the presentation (declared later) is freed first.
  TWorkFolder work("Tarvik_H5P_");
  std::string extractRoot = JoinPath(work.Path(), "media");
  if (!ForceDirectories(extractRoot)) throw ETarvikError("Cannot create the folder " + extractRoot + ".");
  std::unique_ptr<TPPTXPresentation> presentation = LoadPPTXPresentation(pptxFile, extractRoot);

  // The title goes into JSON: a file name that is no valid UTF-8 gets U+FFFD.
  const std::string title = Utf16ToUtf8(Utf8ToUtf16(RemoveExtension(ExtractFileName(pptxFile))));
  const int width = presentation->SlideWidthPx();
  const int height = presentation->SlideHeightPx();
  const int total = static_cast<int>(presentation->Slides.size());

  TRenderContext context(*presentation);
  context.SharePictures();
  context.ReferenceMedia();
  std::string sections;
  int objects = 0;
  ReportSlideProgress(0, total);
  for (int n = 1; n <= total; ++n) {
    const TPPTXSlide& slide = *presentation->Slides[static_cast<size_t>(n - 1)];
    objects += static_cast<int>(slide.Shapes.size());
    sections += RenderSlideSection(slide, n, width, height, context);
    ReportSlideProgress(n, total);
  }

  std::vector<TZipEntry> entries;
  entries.push_back(TextEntry("h5p.json", BuildH5pJson(title)));
  entries.push_back(StreamedBase64EntryWithMedia("content/content.json", H5pContentBefore(title, width, height),
                                                 std::move(sections), H5pContentAfter(), context.ReferencedMedia()));
  const std::string library = kLibraryFolder;
  entries.push_back(TextEntry(library + "library.json", H5pLibraryJson()));
  entries.push_back(TextEntry(library + "semantics.json", H5pSemanticsJson()));
  entries.push_back(TextEntry(library + "lumio-presentation.js", H5pLibraryScript()));
  entries.push_back(TextEntry(library + "lumio-presentation.css", H5pLibraryStylesheet()));
  WriteZipArchive(outputFile, entries, std::time(nullptr));

  slideCount = total;
  objectCount = objects;
  return FileSize(outputFile) > 0;
}

}  // namespace tarvik
