// SCORM export driver and the texts it adds to the player page.
//
// The launch page is the single-file player with the runtime
// inserted; it is rendered in memory with references in place of its
// pictures and media, and goes into the archive compressed as the archive
// is written, each file read and encoded a block at a time where its
// reference stands (media_pieces.h): the page with its embedded files is
// never held whole, nor written out uncompressed, and no staging folder is
// needed.
#include "htmlexport/scorm_export.h"

#include <cstdio>
#include <ctime>
#include <vector>

#include "htmlexport/assets/scorm_assets.h"
#include "htmlexport/html5_export.h"
#include "htmlexport/media_pieces.h"
#include "htmlexport/player_document.h"
#include "htmlexport/render_context.h"
#include "package/text_escape.h"
#include "package/zip_writer.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pptx/loader.h"

namespace tarvik {

namespace {

constexpr std::string_view kPageEnd = "</body></html>";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool MatchesIgnoreCase(std::string_view text, size_t at, std::string_view lowerWord) {
  if (text.size() - at < lowerWord.size()) return false;
  for (size_t i = 0; i < lowerWord.size(); ++i)
    if (Lower(text[at + i]) != lowerWord[i]) return false;
  return true;
}

}  // namespace

const std::string& ScormXapiSettingsBlock() {
  static const std::string text =
      "<script>window.Tarvik_XAPI=window.Tarvik_XAPI||"
      "{enabled:false,endpoint:\"\",auth:\"\",actor:null,activityId:\"\"};</script>";
  return text;
}

const std::string& ScormRuntimeScript() {
  static const std::string text =
      "<script>" + CompactAsset(assets::ScormRuntime(), TAssetSyntax::Script) + "</script>";
  return text;
}

std::string InsertScormRuntime(std::string_view page) {
  std::string out;
  out.reserve(page.size() + ScormXapiSettingsBlock().size() + ScormRuntimeScript().size() + 64);
  size_t copied = 0;
  for (size_t at = page.find('<'); at != std::string_view::npos; at = page.find('<', at + 1)) {
    if (!MatchesIgnoreCase(page, at, kPageEnd)) continue;
    out.append(page.substr(copied, at - copied));
    out += ScormXapiSettingsBlock();
    out += ScormRuntimeScript();
    out.append(kPageEnd);
    copied = at + kPageEnd.size();
    at = copied - 1;
  }
  out.append(page.substr(copied));
  return out;
}

std::string ScormManifestId(uint32_t tickCount) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(tickCount));
  return std::string("TARVIK_") + hex;
}

std::string BuildImsManifest(const std::string& title, const std::string& identifier) {
  const std::string escaped = XmlEscape(title);
  std::string m;
  m += "<?xml version=\"1.0\" encoding=\"UTF-8\"?><manifest identifier=\"" + XmlEscape(identifier) +
       "\" version=\"1.0\" ";
  m += "xmlns=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2\" ";
  m += "xmlns:adlcp=\"http://www.adlnet.org/xsd/adlcp_rootv1p2\" ";
  m += "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" ";
  m += "xsi:schemaLocation=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2 imscp_v1p1.xsd "
       "http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd\">";
  m += "<metadata><schema>ADL SCORM</schema><schemaversion>1.2</schemaversion></metadata>";
  m += "<organizations default=\"ORG-1\"><organization identifier=\"ORG-1\">";
  m += "<title>" + escaped + "</title>";
  // The SCORM 1.2 schema has no scormtype element in an item: the resource's
  // attribute below is what marks the SCO.
  m += "<item identifier=\"ITEM-1\" identifierref=\"RES-1\"><title>" + escaped + "</title></item>";
  m += "</organization></organizations>";
  m += "<resources><resource identifier=\"RES-1\" type=\"webcontent\" adlcp:scormtype=\"sco\" "
       "href=\"index.html\">";
  m += "<file href=\"index.html\"/></resource></resources></manifest>";
  return m;
}

bool ExportSCORM(const std::string& pptxFile, const std::string& outputFile, int& slideCount,
                 int& objectCount) {
  slideCount = 0;
  objectCount = 0;
  CheckSingleFileExport(pptxFile, outputFile, "Output SCORM package filename is required.");
  // Unpacked where the single-file export unpacks it, a folder that stays.
  std::string workRoot = TempWorkFolder("Tarvik_HTML");
  if (!ForceDirectories(workRoot)) throw ETarvikError("Cannot create the folder " + workRoot + ".");
  std::unique_ptr<TPPTXPresentation> presentation = LoadPPTXPresentation(pptxFile, workRoot);

  TRenderContext context(*presentation);
  context.SharePictures();
  context.ReferenceMedia();
  std::string page;
  int objects = 0;
  AppendPlayerDocument(page, *presentation, pptxFile, objects, context);
  page = InsertScormRuntime(page);

  // The title goes into XML: a file name that is no valid UTF-8 gets U+FFFD.
  const std::string title = Utf16ToUtf8(Utf8ToUtf16(RemoveExtension(ExtractFileName(pptxFile))));
  std::vector<TZipEntry> entries(1);
  entries[0].Name = "imsmanifest.xml";
  entries[0].Bytes = BuildImsManifest(title, ScormManifestId(TickCountMs()));
  entries.push_back(StreamedEntryWithMedia("index.html", std::move(page), context.ReferencedMedia()));
  WriteZipArchive(outputFile, entries, std::time(nullptr));

  slideCount = static_cast<int>(presentation->Slides.size());
  objectCount = objects;
  return FileSize(outputFile) > 0;
}

}  // namespace tarvik
