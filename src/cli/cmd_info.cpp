// tarvik info <deck.pptx> [--json]
// Loads a deck with the reader and shows what it saw: the slide size, then
// per slide its background and one line per shape (kind, name, pixel box,
// rotation, group path, text excerpt); with --json the whole model (see
// model_json.h). The deck is unpacked into a folder of this run's own below
// the run's TEMP and removed afterwards. Exit codes: 0 read, 1 the reader
// failed (its message on stderr), 2 usage.
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/model_json.h"
#include "cli/private_temp.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pptx/loader.h"

namespace tarvik {

namespace {

struct TInfoRequest {
  std::string File;
  bool Json = false;
};

std::string ColorText(TColor c) {
  if (c < 0 || c > 0xFFFFFF) return std::to_string(c);
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return buf;
}

bool IsUtf8Lead(unsigned char c) { return (c & 0xC0) != 0x80; }

// The shape's text on one line: paragraphs joined by " / ", cut after
// MaxChars characters (never inside a UTF-8 sequence).
std::string Excerpt(const TPPTXShape& shape, size_t maxChars = 48) {
  std::string text;
  for (const auto& p : shape.Paragraphs) {
    std::string line;
    for (const auto& r : p.Runs) line += r.Text;
    if (line.find_first_not_of(" \t\r\n") == std::string::npos) continue;
    if (!text.empty()) text += " / ";
    text += line;
  }
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!IsUtf8Lead(static_cast<unsigned char>(text[i]))) continue;
    if (chars++ == maxChars) return text.substr(0, i) + "\xE2\x80\xA6";
  }
  return text;
}

std::string ShapeLine(size_t index, const TPPTXShape& s) {
  std::string line = "  " + std::to_string(index) + ". " + ShapeKindName(s.Kind) + " " +
                     JsonString(s.Name) + " " + std::to_string(s.LeftPx()) + "," +
                     std::to_string(s.TopPx()) + " " + std::to_string(s.WidthPx()) + "x" +
                     std::to_string(s.HeightPx()) + " rot " + JsonNumber(s.RotationDeg) +
                     " group " + (s.GroupDepth > 0 ? JsonString(s.GroupPath) : std::string("-"));
  std::string excerpt = Excerpt(s);
  if (!excerpt.empty()) line += " text " + JsonString(excerpt);
  return line + "\n";
}

std::string PresentationText(const TPPTXPresentation& p) {
  std::string out = "Deck: " + p.SourceFile + "\n";
  out += "Slide size: " + std::to_string(p.SlideWidthPx()) + " x " +
         std::to_string(p.SlideHeightPx()) + " px (" + std::to_string(p.SlideWidthEmu) + " x " +
         std::to_string(p.SlideHeightEmu) + " EMU)\n";
  out += "Theme fonts: major " + JsonString(p.ThemeMajorFont) + ", minor " +
         JsonString(p.ThemeMinorFont) + "\n";
  out += "Slides: " + std::to_string(p.Slides.size()) + "\n";
  for (size_t i = 0; i < p.Slides.size(); ++i) {
    const TPPTXSlide& slide = *p.Slides[i];
    out += "\nSlide " + std::to_string(i + 1) + " (" + slide.SourceFileName + "): background " +
           (slide.HasBackgroundColor ? ColorText(slide.BackgroundColor)
                                     : "not set (" + ColorText(slide.BackgroundColor) + ")") +
           ", " + std::to_string(slide.Shapes.size()) + " shapes\n";
    for (size_t k = 0; k < slide.Shapes.size(); ++k) out += ShapeLine(k + 1, *slide.Shapes[k]);
  }
  return out;
}

int RunInfo(const TInfoRequest& request) {
  std::string out;
  {
    TExtractionRoot root;
    std::unique_ptr<TPPTXPresentation> presentation =
        LoadPPTXPresentation(request.File, root.Path());
    out = request.Json ? PresentationToJson(*presentation) : PresentationText(*presentation);
  }
#ifdef SIGPIPE
  // A reader that stops early (| head) must not kill the run before it
  // removes its private folders: a failed write ends it normally instead.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  bool written = std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
  return std::fflush(stdout) == 0 && written ? 0 : 1;
}

void RegisterInfoCommand(CLI::App& app, TCommandSet& set) {
  auto request = std::make_shared<TInfoRequest>();
  auto* command = app.add_subcommand(
      "info", "show what the reader sees in a deck: slide size, backgrounds and shapes");
  command->add_option("deck", request->File, "the .pptx file")->required();
  command->add_flag("--json", request->Json, "write the whole presentation model as JSON");
  set.Commands.emplace_back(command, [request] { return RunInfo(*request); });
}

TCommandRegistrar registrar(RegisterInfoCommand);

}  // namespace

}  // namespace tarvik
