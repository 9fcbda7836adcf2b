// Builds the player page of a loaded presentation: fixed markup around the
// slide sections, the embedded stylesheet and script with their few variable
// parts filled in. The page goes out as it is made, a slide at a time, and
// the slides' pictures and media a block of their Base64 at a time: it is
// never held whole, since it carries every picture and media file.
#include "htmlexport/player_document.h"

#include <algorithm>

#include "htmlexport/assets/player_assets.h"
#include "htmlexport/data_uri.h"
#include "htmlexport/export_progress.h"
#include "htmlexport/render_context.h"
#include "htmlexport/svg_renderer.h"
#include "htmlexport/text_format.h"
#include "platform/files.h"

namespace tarvik {

namespace {

constexpr int kDefaultSlideWidth = 960;
constexpr int kDefaultSlideHeight = 540;
constexpr const char* kEmDash = "\xE2\x80\x94";

std::string_view Trim(std::string_view line) {
  size_t b = 0, e = line.size();
  while (b < e && static_cast<unsigned char>(line[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(line[e - 1]) <= 32) --e;
  return line.substr(b, e - b);
}

const std::string& CompactStylesheet() {
  static const std::string text = CompactAsset(assets::PlayerStylesheet(), TAssetSyntax::Css);
  return text;
}

const std::string& CompactScript() {
  static const std::string text = WithTextFit(CompactAsset(assets::PlayerScript(), TAssetSyntax::Script));
  return text;
}

}  // namespace

std::string CompactAsset(std::string_view text, TAssetSyntax syntax) {
  std::string out;
  out.reserve(text.size());
  bool inComment = false;
  bool first = true;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    std::string_view line = Trim(text.substr(pos, eol - pos));
    pos = eol + 1;
    if (syntax == TAssetSyntax::Script) {
      if (line.starts_with("//")) continue;
    } else {
      const std::string_view open = syntax == TAssetSyntax::Css ? "/*" : "<!--";
      const std::string_view close = syntax == TAssetSyntax::Css ? "*/" : "-->";
      if (inComment || line.starts_with(open)) {
        inComment = line.find(close) == std::string_view::npos;
        continue;
      }
    }
    if (line.empty()) continue;
    if (!first && syntax == TAssetSyntax::Script) out += '\n';
    out += line;
    first = false;
  }
  return out;
}

std::string FillTemplate(std::string_view text, std::initializer_list<TTemplateValue> values) {
  std::string out;
  out.reserve(text.size() + 256);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t open = text.find("{{", pos);
    if (open == std::string_view::npos) break;
    size_t close = text.find("}}", open + 2);
    if (close == std::string_view::npos) break;
    std::string_view name = text.substr(open + 2, close - open - 2);
    const TTemplateValue* match = nullptr;
    for (const auto& v : values)
      if (v.Name == name) match = &v;
    out.append(text.substr(pos, open - pos));
    if (match != nullptr) {
      out.append(match->Value);
    } else {
      out.append(text.substr(open, close + 2 - open));
    }
    pos = close + 2;
  }
  out.append(text.substr(std::min(pos, text.size())));
  return out;
}

std::string WithTextFit(std::string_view script) {
  static const std::string fit = CompactAsset(assets::TextFitScript(), TAssetSyntax::Script);
  return FillTemplate(script, {{"TEXT_FIT", fit}});
}

std::string PlayerStylesheetText(int slideWidth, int slideHeight) {
  std::string width = std::to_string(slideWidth), height = std::to_string(slideHeight);
  std::string aspect = FormatNum(static_cast<double>(slideWidth) / static_cast<double>(slideHeight));
  return FillTemplate(CompactStylesheet(), {{"ASPECT", aspect}, {"WIDTH", width}, {"HEIGHT", height}});
}

std::string PlayerScriptText(const std::string& title) {
  return FillTemplate(CompactScript(), {{"TITLE", JsEscape(title)}});
}

void AppendPlayerDocument(std::string& out, const TPPTXPresentation& presentation,
                          const std::string& sourceFile, int& objectCount) {
  TRenderContext context(presentation);
  context.SharePictures();
  context.ReferenceMedia();
  TStringSink sink(out);
  WritePlayerDocument(sink, presentation, sourceFile, objectCount, context, [&](TByteSink& to, size_t index) {
    WriteFileDataUri(to, context.ReferencedMedia()[index]);
  });
}

void AppendPlayerDocument(std::string& out, const TPPTXPresentation& presentation,
                          const std::string& sourceFile, int& objectCount, TRenderContext& context) {
  TStringSink sink(out);
  WritePlayerDocument(sink, presentation, sourceFile, objectCount, context, nullptr);
}

void WritePlayerDocument(TByteSink& out, const TPPTXPresentation& presentation, const std::string& sourceFile,
                         int& objectCount, TRenderContext& context, const TMediaWriter& media) {
  objectCount = 0;
  int width = presentation.SlideWidthPx() > 0 ? presentation.SlideWidthPx() : kDefaultSlideWidth;
  int height = presentation.SlideHeightPx() > 0 ? presentation.SlideHeightPx() : kDefaultSlideHeight;
  std::string title = RemoveExtension(ExtractFileName(sourceFile));
  std::string htmlTitle = HtmlEscape(title);

  std::string head = "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">";
  head += "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1,viewport-fit=cover\">";
  head += "<meta name=\"theme-color\" content=\"#0b1020\">";
  head += "<meta name=\"description\" content=\"" + htmlTitle + " " + kEmDash + " HTML5 presentation\">";
  head += "<title>" + htmlTitle + "</title>";
  head += "<style>";
  head += PlayerStylesheetText(width, height);
  head += "</style></head><body><main id=\"app\"><section id=\"player\" aria-label=\"" + htmlTitle +
          " HTML5 presentation\">";
  head += "<div id=\"stage\" tabindex=\"0\" role=\"region\" aria-label=\"Presentation slide\">";
  out.Write(head);

  int total = static_cast<int>(presentation.Slides.size());
  ReportSlideProgress(0, total);
  for (int i = 0; i < total; ++i) {
    const TPPTXSlide& slide = *presentation.Slides[static_cast<size_t>(i)];
    const std::string section = RenderSlideSection(slide, i + 1, width, height, context);
    if (media) {
      SplitAtMediaReferences(
          section, context.ReferencedMedia().size(), [&](std::string_view text) { out.Write(text); },
          [&](size_t index) { media(out, index); });
    } else {
      out.Write(section);
    }
    objectCount += static_cast<int>(slide.Shapes.size());
    ReportSlideProgress(i + 1, total);
  }

  std::string tail = "</div>";
  tail += "<div id=\"topbar\"><div id=\"title\">" + htmlTitle + "</div>";
  tail += "<button class=\"iconbtn\" id=\"help\" type=\"button\" title=\"Keyboard shortcuts\" "
          "aria-label=\"Keyboard shortcuts\">?</button>";
  tail += "<button class=\"iconbtn\" id=\"fullscreen\" type=\"button\" title=\"Fullscreen\" "
          "aria-label=\"Fullscreen\">&#x26F6;</button></div>";
  tail += "<div id=\"thumbs\" aria-label=\"Slide thumbnails\"></div>";
  tail += "<div id=\"hint\" role=\"status\" aria-live=\"polite\"></div>";
  tail += "<div id=\"bottombar\">";
  tail += "<button class=\"iconbtn\" id=\"prev\" type=\"button\" title=\"Previous slide (Left Arrow)\" "
          "aria-label=\"Previous slide\">&#x2039;</button>";
  tail += "<button class=\"iconbtn\" id=\"play\" type=\"button\" title=\"Play slideshow\" "
          "aria-label=\"Play slideshow\">&#x25B6;</button>";
  tail += "<span id=\"counter\" aria-live=\"polite\">1 / 1</span>";
  tail += "<input id=\"page\" type=\"number\" min=\"1\" value=\"1\" aria-label=\"Slide number\">";
  tail += "<button class=\"tool\" id=\"go\" type=\"button\">Go</button>";
  tail += "<button class=\"iconbtn\" id=\"next\" type=\"button\" title=\"Next slide (Right Arrow)\" "
          "aria-label=\"Next slide\">&#x203A;</button>";
  tail += "<button class=\"tool\" id=\"thumbToggle\" type=\"button\" title=\"Show slide thumbnails\">Slides</button>";
  tail += "<div id=\"progress\" role=\"progressbar\" aria-label=\"Presentation progress\" aria-valuemin=\"1\" "
          "aria-valuemax=\"1\" aria-valuenow=\"1\"><div class=\"progress-fill\"></div></div>";
  tail += "</div></section></main>";
  tail += "<script>";
  tail += PlayerScriptText(title);
  tail += "</script></body></html>";
  out.Write(tail);
}

std::string BuildPlayerDocument(const TPPTXPresentation& presentation, const std::string& sourceFile,
                                int& objectCount) {
  std::string out;
  AppendPlayerDocument(out, presentation, sourceFile, objectCount);
  return out;
}

}  // namespace tarvik
