// The HTML5 player page: every slide of a loaded presentation as an inline SVG
// section, wrapped in the player's markup, stylesheet and script.
#pragma once
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "pptx/model.h"

namespace tarvik {

// The whole document text (no byte order mark). ObjectCount is set to 0 and
// then receives the shape count of every slide as the slides are rendered.
// The title is SourceFile's name without folder and extension. A slide size
// of zero or less becomes 960 by 540. A picture drawn more than once is
// defined once and used by reference; every file goes in as a data: URI.
std::string BuildPlayerDocument(const TPPTXPresentation& presentation, const std::string& sourceFile,
                                int& objectCount);

// The same, appended to Out, so that a caller can start Out with a byte
// order mark and write the page without copying it again.
void AppendPlayerDocument(std::string& out, const TPPTXPresentation& presentation,
                          const std::string& sourceFile, int& objectCount);

class TRenderContext;
// The same with the caller's context for the slides, which should share
// pictures (SharePictures) and may reference media instead of embedding it;
// its references stay in the text.
void AppendPlayerDocument(std::string& out, const TPPTXPresentation& presentation,
                          const std::string& sourceFile, int& objectCount, TRenderContext& context);

// Writes what stands in the page for media reference Index of the context
// (its file is ReferencedMedia()[Index]).
using TMediaWriter = std::function<void(TByteSink& out, size_t index)>;

// The page written to Out as it is produced: the head, each slide's section
// as soon as it is rendered, then the rest; no more than one slide's markup
// is held at a time. Each media reference of a section goes to Media in its
// place (it stays when Media is empty). The caller's context should share
// pictures and reference media.
void WritePlayerDocument(TByteSink& out, const TPPTXPresentation& presentation, const std::string& sourceFile,
                         int& objectCount, TRenderContext& context, const TMediaWriter& media);

// The stylesheet with the slide size filled in, and the script with the
// title filled in (from "(function(){" to "show(1);})();"), as the page holds them.
std::string PlayerStylesheetText(int slideWidth, int slideHeight);
std::string PlayerScriptText(const std::string& title);

enum class TAssetSyntax { Css, Script, Markup };
// An asset file as a page carries it: lines trimmed, blank lines and
// whole-line comments ("/* ... */" blocks in CSS, "//" lines in scripts,
// "<!-- ... -->" blocks in markup) dropped; script lines are joined with a
// line feed, all others directly.
std::string CompactAsset(std::string_view text, TAssetSyntax syntax);

// Replaces each "{{NAME}}" of Text by its value; values are not scanned
// again, and unknown names stay as they are.
struct TTemplateValue {
  std::string_view Name;
  std::string_view Value;
};
std::string FillTemplate(std::string_view text, std::initializer_list<TTemplateValue> values);

// A script with the fitting of shrunk text taken in at its TEXT_FIT
// placeholder; its other placeholders are left for later.
std::string WithTextFit(std::string_view script);

}  // namespace tarvik
