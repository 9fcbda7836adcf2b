// The documents of an EPUB 3.3 fixed-layout book: one XHTML page per slide,
// the navigation document and the package document, plus the fixed
// container and stylesheet. Pages are read as XML, so a slide section goes
// in through SectionAsXhtml.
#pragma once
#include <ctime>
#include <string>
#include <vector>
#include <string_view>

namespace tarvik {

// What the package document names as the book's maker, after "Tarvik / ".
extern const char* const PluginMaker;

// A slide section as XHTML: the forms only HTML parsing accepts are written
// the XML way. "&nbsp;" becomes "&#160;"; a video or audio element is put in
// the XHTML namespace (inside the SVG it would be an SVG element), a bare
// attribute (controls) gets its name as value, and width and height
// attributes move into its style; characters XML cannot carry are dropped.
// Everything else is copied.
std::string SectionAsXhtml(std::string_view section);

// One page: the section (already XHTML) at the book's fixed page size.
std::string BuildEpubSlidePage(std::string_view section, const std::string& title, int slideNumber,
                               int slideWidth, int slideHeight);
// The navigation document: a table of contents with one entry per slide.
std::string BuildEpubNav(const std::string& title, int slideCount);
// A file of the book besides its pages: its path below OEBPS and its type.
struct TEpubResource {
  std::string Href;
  std::string MediaType;
};

// The package document: metadata (Modified as from EpubTimestamp), a
// manifest holding the navigation, the stylesheet, every page and the
// resources, and the pages in order as the spine.
std::string BuildEpubPackage(const std::string& title, const std::string& identifier, int slideCount,
                             const std::string& modified, const std::vector<TEpubResource>& resources = {});

// "CCYY-MM-DDThh:mm:ssZ" in UTC, the form of the book's last modification.
std::string EpubTimestamp(std::time_t time);
// "slide001.xhtml", "slide042.xhtml", "slide1000.xhtml".
std::string EpubPageName(int slideNumber);

// The fixed texts: "META-INF/container.xml" and "OEBPS/styles/epub.css".
const std::string& EpubContainerText();
const std::string& EpubStylesheetText();

}  // namespace tarvik
