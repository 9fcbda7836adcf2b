// EPUB export driver: checks, work folder, loader, pages, archive.
//
// A picture or a video in a type every reading system takes is a file of
// the book, stored once however many pages show it: a logo on every slide
// must not make a 170 MB deck a gigabyte book. Anything else (a TIFF, a
// metafile) would need a fallback as a file, so pages embed it as a data:
// URI. Each page then goes into the archive as a deflate stream put together
// from its own markup and one compressed piece per embedded file, made the
// first time a page uses the file (media_pieces.h): every file is encoded
// and compressed once, and no page is ever written out uncompressed, in
// memory or on disk.
#include "htmlexport/epub_export.h"

#include <ctime>
#include <optional>
#include <vector>

#include "htmlexport/epub_documents.h"
#include "htmlexport/export_progress.h"
#include "htmlexport/html5_export.h"
#include "htmlexport/media_pieces.h"
#include "htmlexport/render_context.h"
#include "htmlexport/svg_renderer.h"
#include "package/mime_types.h"
#include "package/work_folder.h"
#include "package/zip_writer.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pptx/loader.h"

namespace tarvik {

namespace {

constexpr int kDefaultSlideWidth = 960;
constexpr int kDefaultSlideHeight = 540;

TZipEntry TextEntry(const std::string& name, std::string text, TZipMethod method = TZipMethod::Deflated) {
  TZipEntry entry;
  entry.Name = name;
  entry.Bytes = std::move(text);
  entry.Method = method;
  return entry;
}

bool IsPackageMedia(const std::string& mime) {
  return mime == "image/png" || mime == "image/jpeg" || mime == "image/gif" || mime == "image/webp" ||
         mime == "image/svg+xml" || mime == "audio/mpeg" || mime == "audio/mp4" || mime == "audio/ogg" ||
         mime.starts_with("video/");
}

// Which of the files the pages refer to are files of the book, and under
// what path and type; the others are embedded in the pages.
class TBookMedia {
 public:
  explicit TBookMedia(const TRenderContext& context) : FContext(context) {}

  size_t Count() const { return FContext.ReferencedMedia().size(); }

  // "media/m<index + 1>.<extension>" below OEBPS, or "" when the file is embedded.
  std::string Href(size_t index) {
    const std::string& mime = Type(index);
    if (!IsPackageMedia(mime)) return "";
    return "media/m" + std::to_string(index + 1) + ExtensionForMimeType(mime);
  }

  // The type a reading system will see: a picture's from its bytes, since
  // a book's manifest must state it truly; "" for a picture of none it takes.
  const std::string& Type(size_t index) {
    if (FTypes.size() < Count()) FTypes.resize(Count());
    std::optional<std::string>& type = FTypes[index];
    if (!type) {
      const std::string& file = FContext.ReferencedMedia()[index];
      type = MimeTypeForFile(file);
      if (type->starts_with("image/") && *type != "image/svg+xml") type = SniffPictureType(ReadFileHead(file, 12));
    }
    return *type;
  }

 private:
  const TRenderContext& FContext;
  std::vector<std::optional<std::string>> FTypes;
};

}  // namespace

bool ExportEPUB(const std::string& pptxFile, const std::string& outputFile, int& slideCount,
                int& objectCount) {
  slideCount = 0;
  objectCount = 0;
  CheckSingleFileExport(pptxFile, outputFile, "Output EPUB filename is required.");

  // Removed when this scope ends, together with the unpacked deck, whatever happens.
  TWorkFolder work("Tarvik_EPUB_");
  std::string extractRoot = JoinPath(work.Path(), "pptx");
  if (!ForceDirectories(extractRoot)) throw ETarvikError("Cannot create the folder " + extractRoot + ".");
  std::unique_ptr<TPPTXPresentation> presentation = LoadPPTXPresentation(pptxFile, extractRoot);

  // The title goes into XML: a file name that is no valid UTF-8 gets U+FFFD.
  const std::string title = Utf16ToUtf8(Utf8ToUtf16(RemoveExtension(ExtractFileName(pptxFile))));
  const int width = presentation->SlideWidthPx() > 0 ? presentation->SlideWidthPx() : kDefaultSlideWidth;
  const int height = presentation->SlideHeightPx() > 0 ? presentation->SlideHeightPx() : kDefaultSlideHeight;
  const int total = static_cast<int>(presentation->Slides.size());
  // A book needs at least one page in its spine and its table of contents.
  if (total == 0) throw ETarvikError("The presentation has no slides to make an EPUB book of: " + pptxFile);

  TRenderContext context(*presentation);
  context.ReferenceMedia();
  TMediaPieces pieces(context);
  TBookMedia media(context);
  // Pages lie in OEBPS/text.
  auto link = [&](size_t index) {
    const std::string href = media.Href(index);
    return href.empty() ? href : "../" + href;
  };
  std::vector<TZipEntry> pages;
  int objects = 0;
  ReportSlideProgress(0, total);
  for (int n = 1; n <= total; ++n) {
    const TPPTXSlide& slide = *presentation->Slides[static_cast<size_t>(n - 1)];
    objects += static_cast<int>(slide.Shapes.size());
    std::string section = SectionAsXhtml(RenderSlideSection(slide, n, width, height, context));
    std::string page = BuildEpubSlidePage(section, title, n, width, height);
    pages.push_back(EntryWithMedia("OEBPS/text/" + EpubPageName(n), page, pieces, link));
    ReportSlideProgress(n, total);
  }

  std::vector<TEpubResource> resources;
  std::vector<TZipEntry> files;
  for (size_t i = 0; i < media.Count(); ++i) {
    const std::string href = media.Href(i);
    if (href.empty()) continue;
    const std::string& file = context.ReferencedMedia()[i];
    resources.push_back({href, media.Type(i)});
    TZipEntry entry;
    entry.Name = "OEBPS/" + href;
    entry.SourceFile = file;
    // Their own compression leaves nothing for deflate to find.
    entry.Method = TZipMethod::Stored;
    files.push_back(std::move(entry));
  }

  const std::time_t now = std::time(nullptr);
  std::vector<TZipEntry> entries;
  entries.reserve(pages.size() + files.size() + 5);
  entries.push_back(TextEntry("mimetype", "application/epub+zip", TZipMethod::Stored));
  entries.push_back(TextEntry("META-INF/container.xml", EpubContainerText()));
  entries.push_back(TextEntry("OEBPS/package.opf",
                              BuildEpubPackage(title, "urn:uuid:" + DashGuidHex(work.GuidHex()), total,
                                               EpubTimestamp(now), resources)));
  entries.push_back(TextEntry("OEBPS/nav.xhtml", BuildEpubNav(title, total)));
  entries.push_back(TextEntry("OEBPS/styles/epub.css", EpubStylesheetText()));
  for (auto& page : pages) entries.push_back(std::move(page));
  for (auto& file : files) entries.push_back(std::move(file));
  WriteZipArchive(outputFile, entries, now);

  slideCount = total;
  objectCount = objects;
  return FileSize(outputFile) > 0;
}

}  // namespace tarvik
