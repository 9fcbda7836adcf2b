// Single-file export driver: checks, work folder, loader, player page, write.
#include "htmlexport/html5_export.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "htmlexport/player_document.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pptx/loader.h"

namespace fs = std::filesystem;

namespace tarvik {

namespace {

constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

fs::path ToFs(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string FromFs(const fs::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool IsBlank(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > 32) return false;
  return true;
}

}  // namespace

std::string ExpandFileName(const std::string& path) {
  std::error_code ec;
  fs::path absolute = fs::absolute(ToFs(path), ec);
  return ec ? path : FromFs(absolute.lexically_normal());
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return FileExists(a) && FileExists(b) && fs::equivalent(ToFs(a), ToFs(b), ec) && !ec;
}

void WriteTextFileReplacing(const std::string& path, std::string_view text, bool withBom) {
  std::string partial = JoinPath(ExtractFileDir(ExpandFileName(path)),
                                 "." + ExtractFileName(path) + "." + NewGuidHex() + ".part");
  {
    std::ofstream out(ToFs(partial), std::ios::binary | std::ios::trunc);
    if (!out) throw ETarvikError("Cannot create file \"" + path + "\".");
    if (withBom) out.write(kUtf8Bom, 3);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(ToFs(partial), ignored);
      throw ETarvikError("Cannot write file \"" + path + "\".");
    }
  }
  std::error_code ec;
  fs::rename(ToFs(partial), ToFs(path), ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(ToFs(partial), ignored);
    throw ETarvikError("Cannot write file \"" + path + "\": " + ec.message());
  }
}

bool ExportHTML5(const std::string& pptxFile, const std::string& outputFile, int& slideCount,
                 int& objectCount) {
  slideCount = 0;
  objectCount = 0;
  if (!FileExists(pptxFile)) throw ETarvikError("PowerPoint file not found: " + pptxFile);
  if (IsBlank(outputFile)) throw ETarvikError("Output HTML filename is required.");
  // Writing the page over the deck it came from would destroy the deck.
  if (SameFile(pptxFile, outputFile))
    throw ETarvikError("The output file is the PowerPoint file itself: " + outputFile);

  std::string folder = ExtractFileDir(ExpandFileName(outputFile));
  if (!folder.empty() && !ForceDirectories(folder))
    throw ETarvikError("Cannot create the folder " + folder + ".");
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
