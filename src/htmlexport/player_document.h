// The HTML5 player page: every slide of a loaded presentation as an inline SVG
// section, wrapped in the player's markup, stylesheet and script.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

#include "pptx/model.h"

namespace tarvik {

// The whole document text (no byte order mark). ObjectCount is set to 0 and
// then receives the shape count of every slide as the slides are rendered.
// The title is SourceFile's name without folder and extension. A slide size
// of zero or less becomes 960 by 540.
std::string BuildPlayerDocument(const TPPTXPresentation& presentation, const std::string& sourceFile,
                                int& objectCount);

// The same, appended to Out, so that a caller can start Out with a byte
// order mark and write the page without copying it again.
void AppendPlayerDocument(std::string& out, const TPPTXPresentation& presentation,
                          const std::string& sourceFile, int& objectCount);

class TRenderContext;
// The same with the caller's context for the slides, which should share
// pictures (SharePictures) and may reference media instead of embedding it.
void AppendPlayerDocument(std::string& out, const TPPTXPresentation& presentation,
                          const std::string& sourceFile, int& objectCount, TRenderContext& context);

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

}  // namespace tarvik
