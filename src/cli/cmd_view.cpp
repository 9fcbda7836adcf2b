// tarvik view <deck.pptx> [--slide N] [--size WxH] [--json | --svg out.svg]
// Builds the slide viewer on the headless toolkit in a host window of the
// given client size (800x600 unless told), shows slide N (1 unless told) and
// prints what it made: one line per control with its kind, the shape it
// stands for, its bounds, text, font and colours, then the bar. --json
// writes the same as one object; --svg draws it as a picture. Exit codes: 0
// shown, 1 the deck or the output failed (message on stderr), 2 usage.
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/model_json.h"
#include "cli/private_temp.h"
#include "cli/view_svg.h"
#include "platform/files.h"
#include "ui/headless/headless_toolkit.h"
#include "viewer/tarvik_viewer.h"

namespace tarvik {

namespace {

using namespace ui;

constexpr TWindowHandle kHostWindow = 1;

struct TViewRequest {
  std::string File;
  std::optional<int32_t> Slide;  // 1-based
  std::string Size = "800x600";
  bool Json = false;
  std::string Svg;
};

// One control as a JSON object's members and as a line of text.
struct TControlDescription {
  std::string Json, Text;
};

const char* KindName(const TControl& control) {
  switch (control.Kind()) {
    case TControlKind::Label: return "label";
    case TControlKind::Shape: return "shape";
    case TControlKind::Image: return "image";
    case TControlKind::MediaPlayer: return "media";
    default: return "panel";
  }
}

const char* FormName(TShapeForm form) {
  return form == TShapeForm::Ellipse ? "ellipse" : form == TShapeForm::RoundRect ? "roundrect" : "rectangle";
}

std::string BoundsJson(const TBounds& b) {
  return "\"Left\": " + std::to_string(b.Left) + ", \"Top\": " + std::to_string(b.Top) + ", \"Width\": " +
         std::to_string(b.Width) + ", \"Height\": " + std::to_string(b.Height);
}

std::string BoundsText(const TBounds& b) {
  return std::to_string(b.Left) + "," + std::to_string(b.Top) + " " + std::to_string(b.Width) + "x" +
         std::to_string(b.Height);
}

TControlDescription DescribeKind(TControl& control, const std::string& folder) {
  TControlDescription d;
  if (auto* label = dynamic_cast<THeadlessLabel*>(&control)) {
    TFontStyle f = label->Font();
    d.Json = ", \"Text\": " + JsonString(label->Text()) + ", \"Font\": {\"Name\": " + JsonString(f.Name) +
             ", \"Size\": " + std::to_string(f.SizePt) + ", \"Bold\": " + (f.Bold ? "true" : "false") +
             ", \"Italic\": " + (f.Italic ? "true" : "false") + ", \"Underline\": " +
             (f.Underline ? "true" : "false") + "}, \"Color\": \"" + HexColor(f.Color) + "\"";
    d.Text = " text " + JsonString(label->Text()) + " font " + JsonString(f.Name) + " " + std::to_string(f.SizePt) +
             "pt" + (f.Bold ? " bold" : "") + (f.Italic ? " italic" : "") + (f.Underline ? " underline" : "") +
             " colour " + HexColor(f.Color);
  } else if (auto* shape = dynamic_cast<THeadlessShape*>(&control)) {
    TShapeStyle s = shape->Style();
    std::string fill = s.Filled ? "\"" + HexColor(s.FillColor) + "\"" : "null";
    std::string outline = s.Outlined ? "\"" + HexColor(s.OutlineColor) + "\"" : "null";
    d.Json = std::string(", \"Form\": \"") + FormName(s.Form) + "\", \"Fill\": " + fill + ", \"Outline\": " +
             outline + ", \"OutlineWidth\": " + std::to_string(s.Outlined ? s.OutlineWidth : 0);
    d.Text = std::string(" ") + FormName(s.Form) + " fill " + (s.Filled ? HexColor(s.FillColor) : "none") +
             " outline " +
             (s.Outlined ? HexColor(s.OutlineColor) + " " + std::to_string(s.OutlineWidth) + "px" : "none");
  } else if (auto* image = dynamic_cast<THeadlessImage*>(&control)) {
    std::string file = RelativeMediaPath(image->PictureFile(), folder);
    d.Json = ", \"File\": " + JsonString(file);
    d.Text = " file " + (file.empty() ? std::string("(none)") : JsonString(file));
  } else if (auto* player = dynamic_cast<THeadlessMediaPlayer*>(&control)) {
    std::string file = RelativeMediaPath(player->FileName(), folder);
    d.Json = ", \"File\": " + JsonString(file) + ", \"Video\": " + (player->Display() ? "true" : "false");
    d.Text = " file " + JsonString(file) + (player->Display() ? " video" : " audio");
  } else if (auto* panel = dynamic_cast<TPanel*>(&control)) {
    d.Json = ", \"Color\": \"" + HexColor(panel->Color()) + "\"";
    d.Text = " video display " + HexColor(panel->Color());
  }
  return d;
}

std::string ViewJson(const TTarvikViewer& viewer, const std::string& folder) {
  TBounds window = viewer.Window().Bounds();
  std::string json = "{\n  \"Width\": " + std::to_string(window.Width) + ",\n  \"Height\": " +
                     std::to_string(window.Height) + ",\n  \"Slide\": " + std::to_string(viewer.CurrentSlide() + 1) +
                     ",\n  \"Scale\": " + JsonNumber(viewer.Scale()) + ",\n  \"OffX\": " +
                     std::to_string(viewer.OffsetX()) + ",\n  \"OffY\": " + std::to_string(viewer.OffsetY()) +
                     ",\n  \"Background\": \"" + HexColor(viewer.Background()) + "\",\n  \"Controls\": [";
  const auto& controls = viewer.SlideControls();
  for (size_t i = 0; i < controls.size(); ++i) {
    TControl& control = *controls[i].Control;
    json += std::string(i ? "," : "") + "\n    {\"Kind\": \"" + KindName(control) + "\", \"Shape\": " +
            std::to_string(controls[i].Shape) + ", " + BoundsJson(control.Bounds()) +
            DescribeKind(control, folder).Json + "}";
  }
  json += controls.empty() ? "],\n" : "\n  ],\n";
  return json + "  \"NavBar\": {" + BoundsJson(viewer.NavPanel().Bounds()) + "}\n}\n";
}

std::string ViewText(const TTarvikViewer& viewer, const std::string& folder) {
  TBounds window = viewer.Window().Bounds();
  std::string text = "Viewer " + std::to_string(window.Width) + " x " + std::to_string(window.Height) + ", slide " +
                     std::to_string(viewer.CurrentSlide() + 1) + " of " + std::to_string(viewer.SlideCount()) +
                     ", scale " + JsonNumber(viewer.Scale()) + ", offset " + std::to_string(viewer.OffsetX()) + "," +
                     std::to_string(viewer.OffsetY()) + ", background " + HexColor(viewer.Background()) + "\n";
  for (const auto& c : viewer.SlideControls())
    text += std::string("  ") + KindName(*c.Control) + " #" + std::to_string(c.Shape) + " " +
            BoundsText(c.Control->Bounds()) + DescribeKind(*c.Control, folder).Text + "\n";
  text += "Bar " + BoundsText(viewer.NavPanel().Bounds()) + (viewer.NavPanel().Visible() ? "" : " hidden") + ": " +
          JsonString(viewer.SlideLabel().Text()) + ", page " + JsonString(viewer.PageEdit().Text()) + ", prev " +
          (viewer.PrevButton().Enabled() ? "on" : "off") + ", next " + (viewer.NextButton().Enabled() ? "on" : "off") +
          "\n";
  return text;
}

bool ParseSize(const std::string& text, TUiSize& size) {
  if (text.find(',') != std::string::npos || !LookUpWindowSize("1=" + text, 1, size)) return false;
  return size.Width >= 1 && size.Height >= 1 && size.Width <= 20000 && size.Height <= 20000;
}

int RunView(const TViewRequest& request) {
  TUiSize size;
  if (!ParseSize(request.Size, size)) {
    std::cerr << "tarvik: --size takes WIDTHxHEIGHT in pixels, 1 to 20000 each: " << request.Size << "\n";
    return 2;
  }
  TExtractionRoot root;
  THeadlessToolkit toolkit;
  toolkit.SetHostWindow(kHostWindow, size);
  auto viewer = TTarvikViewer::CreateWithParent(kHostWindow, toolkit);
  viewer->Window().FitToParentWindow();
  viewer->LoadPresentation(request.File, root.Path());
  if (request.Slide) {
    int32_t slide = *request.Slide;
    if (slide < 1 || slide > viewer->SlideCount()) {
      std::cerr << "tarvik: there is no slide " << slide << ": the deck has " << viewer->SlideCount() << " slides\n";
      return 1;
    }
    viewer->ShowSlide(slide - 1);
  }
  std::string folder = viewer->Presentation()->ExtractFolder;
  if (!request.Svg.empty()) {
    auto& window = dynamic_cast<THeadlessRootPanel&>(viewer->Window());
    WriteFileReplacing(request.Svg, {ControlTreeToSvg(window)});
    return 0;
  }
  std::string out = request.Json ? ViewJson(*viewer, folder) : ViewText(*viewer, folder);
  bool written = std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
  return std::fflush(stdout) == 0 && written ? 0 : 1;
}

void RegisterViewCommand(CLI::App& app, TCommandSet& set) {
  auto request = std::make_shared<TViewRequest>();
  auto* command = app.add_subcommand("view", "build the slide viewer headless and show its controls");
  command->add_option("deck", request->File, "the .pptx file")->required();
  command->add_option("--slide", request->Slide, "the slide to show, from 1 (default 1)");
  command->add_option("--size", request->Size, "the host window's client size, WIDTHxHEIGHT (default 800x600)");
  auto* json = command->add_flag("--json", request->Json, "write the controls as JSON");
  auto* svg = command->add_option("--svg", request->Svg, "draw the controls into this SVG file");
  json->excludes(svg);
  set.Commands.emplace_back(command, [request] { return RunView(*request); });
}

TCommandRegistrar registrar(RegisterViewCommand);

}  // namespace

}  // namespace tarvik
