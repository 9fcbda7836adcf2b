// Web folder export: the player page rendered with references to its files,
// each reference written as the address of an asset file, each file copied
// into the assets folder the first time the page uses it.
#include "htmlexport/web_folder.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "htmlexport/player_document.h"
#include "htmlexport/render_context.h"
#include "package/mime_types.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/fs_path.h"
#include "platform/system.h"
#include "platform/watcher.h"
#include "pptx/loader.h"

namespace fs = std::filesystem;

namespace tarvik {

namespace {

constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

// The assets folder: one file for each file the page references (the
// context references files of the same type and bytes as one), named in
// order of first use.
class TAssets {
 public:
  TAssets(std::string folder, std::string prefix) : FFolder(std::move(folder)), FPrefix(std::move(prefix)) {}

  // The address of File's asset, copying it there on its first use.
  const std::string& Address(const std::string& file) {
    auto known = FByFile.find(file);
    if (known != FByFile.end()) return known->second;
    char name[64];
    std::snprintf(name, sizeof name, "asset_%4.4d%s", static_cast<int>(FByFile.size() + 1),
                  ExtensionForMimeType(MimeTypeForFile(file)).c_str());
    const std::string target = JoinPath(FFolder, name);
    std::error_code ec;
    fs::copy_file(ToFs(file), ToFs(target), fs::copy_options::overwrite_existing, ec);
    if (ec) throw ETarvikError("Cannot write file \"" + target + "\": " + ec.message());
    return FByFile.emplace(file, FPrefix + name).first->second;
  }

 private:
  std::string FFolder, FPrefix;
  std::unordered_map<std::string, std::string> FByFile;
};

}  // namespace

bool WriteWebFolder(const std::string& pptxFile, const std::string& outputFolder, int& slideCount,
                    int& objectCount) {
  slideCount = 0;
  objectCount = 0;
  if (IsBlank(pptxFile) || !FileExists(pptxFile)) throw ETarvikError("PowerPoint file not found: " + pptxFile);
  if (IsBlank(outputFolder)) throw ETarvikError("Output web folder is required.");
  const std::string assetsFolder = JoinPath(outputFolder, "assets");
  for (const std::string* folder : {&outputFolder, &assetsFolder})
    if (!ForceDirectories(*folder)) throw ETarvikError("Cannot create the folder " + *folder + ".");
  const std::string index = JoinPath(outputFolder, "index.html");
  // A deck that is itself named index.html in that folder would be overwritten.
  if (SameFile(pptxFile, index)) throw ETarvikError("The output file is the PowerPoint file itself: " + index);

  // The same work folder as the single-file export's.
  const std::string workRoot = TempWorkFolder("Tarvik_HTML");
  if (!ForceDirectories(workRoot)) throw ETarvikError("Cannot create the folder " + workRoot + ".");
  std::unique_ptr<TPPTXPresentation> presentation = LoadPPTXPresentation(pptxFile, workRoot);
  TRenderContext context(*presentation);
  context.SharePictures();
  context.ReferenceMedia();
  TAssets assets(assetsFolder, "assets/");
  int objects = 0;
  TReplacingFile page(index);
  page.Write(kUtf8Bom);
  WritePlayerDocument(page, *presentation, pptxFile, objects, context, [&](TByteSink& out, size_t i) {
    out.Write(assets.Address(context.ReferencedMedia()[i]));
  });
  page.Commit();
  slideCount = static_cast<int>(presentation->Slides.size());
  objectCount = objects;
  return FileExists(index);
}

bool ExportWebFolder(const std::string& pptxFile, const std::string& outputFolder, int& slideCount,
                     int& objectCount) {
  try {
    return WriteWebFolder(pptxFile, outputFolder, slideCount, objectCount);
  } catch (const std::exception& e) {
    return FailWithReason(e.what());
  } catch (...) {
    return false;
  }
}

}  // namespace tarvik
