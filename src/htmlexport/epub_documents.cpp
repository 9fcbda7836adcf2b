// Builds the book's XML documents. Only the title and the slide numbers
// vary; the title goes through XmlEscape wherever it appears.
#include "htmlexport/epub_documents.h"

#include <cstdio>

#include "htmlexport/assets/epub_assets.h"
#include "htmlexport/player_document.h"
#include "package/text_escape.h"

namespace tarvik {

const char* const PluginMaker = "PowerPoint export for VisualNEO Win";

namespace {

constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
constexpr std::string_view kXhtmlNamespace = "http://www.w3.org/1999/xhtml";
constexpr std::string_view kOpsNamespace = "http://www.idpf.org/2007/ops";
constexpr const char* kEmDash = "\xE2\x80\x94";

// "<!DOCTYPE html><html ...>" of every XHTML document of the book.
std::string HtmlStart() {
  std::string out = "<!DOCTYPE html><html xmlns=\"";
  out += kXhtmlNamespace;
  out += "\" xml:lang=\"en\" lang=\"en\" xmlns:epub=\"";
  out += kOpsNamespace;
  out += "\">";
  return out;
}

bool IsNameChar(char c) {
  return c != '=' && c != '>' && c != '/' && c != '"' && c != '\'' && static_cast<unsigned char>(c) > 32;
}

// Rewrites the start tag of a video or audio element from Pos (at "<") and
// returns the position after it. Only the renderer's own markup reaches
// here: slide text is escaped, so its "<" never starts a tag.
size_t AppendMediaStartTag(std::string& out, std::string_view s, size_t pos) {
  size_t i = pos + 6;  // "<video" and "<audio" are both six characters long
  out.append(s.substr(pos, 6));
  out += " xmlns=\"";
  out += kXhtmlNamespace;
  out += '"';
  std::string style, sizeStyle;
  std::string attributes;
  while (i < s.size()) {
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= 32) ++i;
    if (i >= s.size() || s[i] == '>' || s[i] == '/') break;
    size_t nameStart = i;
    while (i < s.size() && IsNameChar(s[i])) ++i;
    if (i == nameStart) {  // a stray character: keep it rather than loop
      attributes += s[i++];
      continue;
    }
    std::string_view name = s.substr(nameStart, i - nameStart);
    std::string_view value;
    bool hasValue = false;
    size_t look = i;
    while (look < s.size() && static_cast<unsigned char>(s[look]) <= 32) ++look;
    if (look < s.size() && s[look] == '=') {
      i = look + 1;
      while (i < s.size() && static_cast<unsigned char>(s[i]) <= 32) ++i;
      hasValue = true;
      if (i < s.size() && (s[i] == '"' || s[i] == '\'')) {
        char quote = s[i];
        size_t end = s.find(quote, i + 1);
        if (end == std::string_view::npos) end = s.size();
        value = s.substr(i + 1, end - i - 1);
        i = std::min(end + 1, s.size());
      } else {
        size_t start = i;
        while (i < s.size() && static_cast<unsigned char>(s[i]) > 32 && s[i] != '>') ++i;
        value = s.substr(start, i - start);
      }
    }
    if (name == "width" || name == "height") {
      bool number = !value.empty() && value.find_first_not_of("0123456789.") == std::string_view::npos;
      sizeStyle += std::string(name) + ':' + std::string(value) + (number ? "px;" : ";");
    } else if (name == "style") {
      style = std::string(value);
    } else {
      attributes += ' ';
      attributes += name;
      attributes += "=\"";
      attributes += hasValue ? value : name;
      attributes += '"';
    }
  }
  out += attributes;
  if (!sizeStyle.empty() || !style.empty()) {
    if (!sizeStyle.empty() && style.empty()) sizeStyle.pop_back();  // no ";" at the end
    out += " style=\"" + sizeStyle + style + "\"";
  }
  return i;
}

bool StartsMediaTag(std::string_view s, size_t pos) {
  std::string_view rest = s.substr(pos);
  if (!rest.starts_with("<video") && !rest.starts_with("<audio")) return false;
  return rest.size() == 6 || rest[6] == '>' || rest[6] == '/' || static_cast<unsigned char>(rest[6]) <= 32;
}

}  // namespace

std::string SectionAsXhtml(std::string_view section) {
  std::string out;
  out.reserve(section.size() + 256);
  for (size_t i = 0; i < section.size();) {
    char c = section[i];
    if (c == '&' && section.substr(i).starts_with("&nbsp;")) {
      out += "&#160;";
      i += 6;
    } else if (c == '<' && StartsMediaTag(section, i)) {
      i = AppendMediaStartTag(out, section, i);
    } else {
      if (static_cast<unsigned char>(c) >= 32 || c == '\t' || c == '\n' || c == '\r') out += c;
      ++i;
    }
  }
  return out;
}

std::string EpubPageName(int slideNumber) {
  char name[32];
  std::snprintf(name, sizeof name, "slide%.3d.xhtml", slideNumber);
  return name;
}

std::string BuildEpubSlidePage(std::string_view section, const std::string& title, int slideNumber,
                               int slideWidth, int slideHeight) {
  const std::string n = std::to_string(slideNumber);
  std::string out;
  out.reserve(section.size() + 1024);
  out += kXmlDeclaration;
  out += HtmlStart();
  out += "<head><meta charset=\"utf-8\"/><meta name=\"viewport\" content=\"width=" + std::to_string(slideWidth) +
         ",height=" + std::to_string(slideHeight) + "\"/>";
  out += "<title>" + XmlEscape(title + " " + kEmDash + " Slide " + n) + "</title>";
  out += "<link rel=\"stylesheet\" type=\"text/css\" href=\"../styles/epub.css\"/>";
  out += "</head><body>";
  out += "<main class=\"slide-page\" aria-label=\"Slide " + n + "\">";
  out += section;
  out += "</main></body></html>";
  return out;
}

std::string BuildEpubNav(const std::string& title, int slideCount) {
  const std::string escaped = XmlEscape(title);
  std::string out(kXmlDeclaration);
  out += HtmlStart();
  out += "<head><meta charset=\"utf-8\"/><title>" + escaped + " " + kEmDash + " Navigation</title></head><body>";
  out += "<nav epub:type=\"toc\" id=\"toc\" aria-label=\"Table of Contents\"><h1>" + escaped + "</h1><ol>";
  for (int i = 1; i <= slideCount; ++i)
    out += "<li><a href=\"text/" + EpubPageName(i) + "\">Slide " + std::to_string(i) + "</a></li>";
  out += "</ol></nav></body></html>";
  return out;
}

std::string BuildEpubPackage(const std::string& title, const std::string& identifier, int slideCount,
                             const std::string& modified, const std::vector<TEpubResource>& resources) {
  std::string out(kXmlDeclaration);
  out += "<package xmlns=\"http://www.idpf.org/2007/opf\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
         "xmlns:dcterms=\"http://purl.org/dc/terms/\" xmlns:rendition=\"";
  out += kOpsNamespace;
  out += "\" version=\"3.0\" unique-identifier=\"pub-id\">";
  out += "<metadata>";
  out += "<dc:identifier id=\"pub-id\">" + XmlEscape(identifier) + "</dc:identifier>";
  out += "<dc:title>" + XmlEscape(title) + "</dc:title>";
  out += "<dc:language>en</dc:language>";
  out += "<dc:creator>Tarvik / " + XmlEscape(PluginMaker) + "</dc:creator>";
  // Reading systems tell editions apart by this date; EPUB requires it.
  out += "<meta property=\"dcterms:modified\">" + XmlEscape(modified) + "</meta>";
  out += "<meta property=\"rendition:layout\">pre-paginated</meta>";
  out += "<meta property=\"rendition:orientation\">landscape</meta>";
  out += "<meta property=\"rendition:spread\">none</meta>";
  out += "</metadata><manifest>";
  out += "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" properties=\"nav\"/>";
  out += "<item id=\"css\" href=\"styles/epub.css\" media-type=\"text/css\"/>";
  // Every page draws its slide as inline SVG, which the manifest must declare.
  for (int i = 1; i <= slideCount; ++i)
    out += "<item id=\"slide" + std::to_string(i) + "\" href=\"text/" + EpubPageName(i) +
           "\" media-type=\"application/xhtml+xml\" properties=\"svg\"/>";
  for (size_t i = 0; i < resources.size(); ++i)
    out += "<item id=\"media" + std::to_string(i + 1) + "\" href=\"" + XmlEscape(resources[i].Href) +
           "\" media-type=\"" + XmlEscape(resources[i].MediaType) + "\"/>";
  out += "</manifest><spine page-progression-direction=\"ltr\">";
  for (int i = 1; i <= slideCount; ++i) out += "<itemref idref=\"slide" + std::to_string(i) + "\"/>";
  out += "</spine></package>";
  return out;
}

std::string EpubTimestamp(std::time_t time) {
  std::tm utc{};
#ifdef _WIN32
  gmtime_s(&utc, &time);
#else
  gmtime_r(&time, &utc);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

const std::string& EpubContainerText() {
  static const std::string text = CompactAsset(assets::EpubContainer(), TAssetSyntax::Markup);
  return text;
}

const std::string& EpubStylesheetText() {
  static const std::string text = CompactAsset(assets::EpubStylesheet(), TAssetSyntax::Css);
  return text;
}

}  // namespace tarvik
