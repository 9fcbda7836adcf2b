// Writes the presentation model as indented JSON; see model_json.h.
#include "cli/model_json.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/codepage.h"
#include "platform/files.h"

namespace tarvik {

namespace {

void AppendUnicodeEscape(std::string& out, uint32_t cp) {
  static const char kHex[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(cp >> shift) & 0xF];
}

// Builds indented JSON; keeps track of commas and nesting.
class TJsonOut {
 public:
  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  // A key of the current object; its value follows.
  void Key(const char* name) {
    NextItem();
    out_ += '"';
    out_ += name;
    out_ += "\": ";
    afterKey_ = true;
  }
  void Raw(const std::string& text) {
    if (!afterKey_) NextItem();
    afterKey_ = false;
    out_ += text;
  }
  void Field(const char* name, const std::string& rawValue) {
    Key(name);
    Raw(rawValue);
  }
  void Field(const char* name, bool v) { Field(name, std::string(v ? "true" : "false")); }
  void Field(const char* name, int64_t v) { Field(name, std::to_string(v)); }
  void Field(const char* name, int32_t v) { Field(name, std::to_string(v)); }
  void Field(const char* name, double v) { Field(name, JsonNumber(v)); }
  void StringField(const char* name, std::string_view v) { Field(name, JsonString(v)); }
  std::string Take() { return std::move(out_) + "\n"; }

 private:
  struct TLevel {
    bool Empty = true;
  };
  void Open(char bracket) {
    if (!afterKey_ && !levels_.empty()) NextItem();
    afterKey_ = false;
    out_ += bracket;
    levels_.push_back({});
  }
  void Close(char bracket) {
    bool empty = levels_.back().Empty;
    levels_.pop_back();
    if (!empty) {
      out_ += '\n';
      Indent();
    }
    out_ += bracket;
  }
  void NextItem() {
    if (levels_.empty()) return;
    if (!levels_.back().Empty) out_ += ',';
    levels_.back().Empty = false;
    out_ += '\n';
    Indent();
  }
  void Indent() { out_.append(levels_.size() * 2, ' '); }

  std::string out_;
  std::vector<TLevel> levels_;
  bool afterKey_ = false;
};

void WriteRun(TJsonOut& j, const TPPTXTextRun& r) {
  j.BeginObject();
  j.StringField("Text", r.Text);
  j.StringField("FontName", r.FontName);
  j.Field("FontSizePt", r.FontSizePt);
  j.Field("Bold", r.Bold);
  j.Field("Italic", r.Italic);
  j.Field("Underline", r.Underline);
  j.Field("Strikethrough", r.Strikethrough);
  j.Field("Color", r.Color);
  j.Field("HasColor", r.HasColor);
  j.Field("BaselinePct", r.BaselinePct);
  j.Field("Caps", r.Caps);
  j.Field("LetterSpacingPt", r.LetterSpacingPt);
  j.EndObject();
}

void WriteParagraph(TJsonOut& j, const TPPTXParagraph& p) {
  j.BeginObject();
  j.Field("Alignment", p.Alignment);
  j.Field("RightToLeft", p.RightToLeft);
  j.Field("Level", p.Level);
  j.Field("Bullet", p.Bullet);
  j.StringField("BulletChar", p.BulletChar);
  j.StringField("BulletFont", p.BulletFont);
  j.Field("BulletColor", p.BulletColor);
  j.Field("HasBulletColor", p.HasBulletColor);
  j.Field("BulletSizePct", p.BulletSizePct);
  j.StringField("AutoNumScheme", p.AutoNumScheme);
  j.Field("AutoNumStartAt", p.AutoNumStartAt);
  j.Field("HasIndents", p.HasIndents);
  j.Field("MarginLeftEmu", p.MarginLeftEmu);
  j.Field("IndentEmu", p.IndentEmu);
  j.Field("MarginRightEmu", p.MarginRightEmu);
  j.Field("LineSpacingPct", p.LineSpacingPct);
  j.Field("LineSpacingPt", p.LineSpacingPt);
  j.Field("SpaceBeforePt", p.SpaceBeforePt);
  j.Field("SpaceAfterPt", p.SpaceAfterPt);
  j.Field("EndFontSizePt", p.EndFontSizePt);
  j.Key("Runs");
  j.BeginArray();
  for (const auto& r : p.Runs) WriteRun(j, r);
  j.EndArray();
  j.EndObject();
}

// Arrays go last in every object, so the scalar fields stay together.
void WriteShape(TJsonOut& j, const TPPTXShape& s, const std::string& folder) {
  j.BeginObject();
  j.StringField("Kind", ShapeKindName(s.Kind));
  j.StringField("Name", s.Name);
  j.Field("XEmu", s.XEmu);
  j.Field("YEmu", s.YEmu);
  j.Field("WEmu", s.WEmu);
  j.Field("HEmu", s.HEmu);
  j.Field("LeftPx", s.LeftPx());
  j.Field("TopPx", s.TopPx());
  j.Field("WidthPx", s.WidthPx());
  j.Field("HeightPx", s.HeightPx());
  j.Field("RotationDeg", s.RotationDeg);
  j.Field("IsTitle", s.IsTitle);
  j.Field("ThemeFontRole", s.ThemeFontRole);
  j.Field("GroupDepth", s.GroupDepth);
  j.StringField("GroupPath", s.GroupPath);
  j.Field("MarginLeftPx", s.MarginLeftPx);
  j.Field("MarginRightPx", s.MarginRightPx);
  j.Field("MarginTopPx", s.MarginTopPx);
  j.Field("MarginBottomPx", s.MarginBottomPx);
  j.Field("VerticalAnchor", s.VerticalAnchor);
  j.Field("AnchorCenter", s.AnchorCenter);
  j.Field("WrapText", s.WrapText);
  j.Field("VerticalTextDeg", s.VerticalTextDeg);
  j.Field("VerticalGlyphs", s.VerticalGlyphs);
  j.Field("VerticalLinesFromLeft", s.VerticalLinesFromLeft);
  j.Field("TextRotationDeg", s.TextRotationDeg);
  j.Field("AutoFit", s.AutoFit);
  j.Field("FontScalePct", s.FontScalePct);
  j.Field("LineSpacingReductionPct", s.LineSpacingReductionPct);
  j.Field("CropLeft", s.CropLeft);
  j.Field("CropTop", s.CropTop);
  j.Field("CropRight", s.CropRight);
  j.Field("CropBottom", s.CropBottom);
  j.Field("FlipH", s.FlipH);
  j.Field("FlipV", s.FlipV);
  j.StringField("MediaFile", RelativeMediaPath(s.MediaFile, folder));
  j.StringField("PosterImage", RelativeMediaPath(s.PosterImage, folder));
  j.Field("HasFill", s.HasFill);
  j.Field("FillColor", s.FillColor);
  j.Field("HasLine", s.HasLine);
  j.Field("LineColor", s.LineColor);
  j.Field("LineWidthPt", s.LineWidthPt);
  j.StringField("GeometryKind", ShapeKindName(s.GeometryKind));
  j.Key("Paragraphs");
  j.BeginArray();
  for (const auto& p : s.Paragraphs) WriteParagraph(j, p);
  j.EndArray();
  j.EndObject();
}

void WriteSlide(TJsonOut& j, const TPPTXSlide& slide, const std::string& folder) {
  j.BeginObject();
  j.StringField("SourceFileName", slide.SourceFileName);
  j.Field("HasBackgroundColor", slide.HasBackgroundColor);
  j.Field("BackgroundColor", slide.BackgroundColor);
  j.Key("Shapes");
  j.BeginArray();
  for (const auto& shape : slide.Shapes) WriteShape(j, *shape, folder);
  j.EndArray();
  j.EndObject();
}

}  // namespace

std::string JsonString(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 2);
  out += '"';
  for (size_t i = 0; i < s.size();) {
    char32_t cp = 0;
    size_t n = Utf8SequenceLength(s, i, cp);
    if (n == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD for each byte that starts no valid sequence
      ++i;
      continue;
    }
    switch (cp) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        // Line and paragraph separators are escaped too: JavaScript before
        // ES2019 ends string literals at them.
        if (cp < 0x20 || cp == 0x7F || cp == 0x2028 || cp == 0x2029)
          AppendUnicodeEscape(out, cp);
        else
          out.append(s.substr(i, n));
    }
    i += n;
  }
  out += '"';
  return out;
}

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char buf[64];
  auto result = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, result.ptr);
}

std::string RelativeMediaPath(const std::string& path, const std::string& folder) {
  if (folder.empty() || path.size() <= folder.size()) return path;
  std::string prefix = folder;
  if (prefix.back() != kPathSep) prefix += kPathSep;
  if (path.compare(0, prefix.size(), prefix) != 0) return path;
  std::string rel = path.substr(prefix.size());
  for (char& c : rel)
    if (c == kPathSep) c = '/';
  return rel;
}

std::string PresentationToJson(const TPPTXPresentation& p) {
  TJsonOut j;
  j.BeginObject();
  j.Field("SlideWidthEmu", p.SlideWidthEmu);
  j.Field("SlideHeightEmu", p.SlideHeightEmu);
  j.Field("SlideWidthPx", p.SlideWidthPx());
  j.Field("SlideHeightPx", p.SlideHeightPx());
  j.StringField("SourceFile", p.SourceFile);
  j.StringField("ExtractFolder", p.ExtractFolder);
  j.StringField("MediaFolder", p.MediaFolder);
  j.StringField("ThemeMajorFont", p.ThemeMajorFont);
  j.StringField("ThemeMinorFont", p.ThemeMinorFont);
  j.Key("Slides");
  j.BeginArray();
  for (const auto& slide : p.Slides) WriteSlide(j, *slide, p.ExtractFolder);
  j.EndArray();
  j.EndObject();
  return j.Take();
}

}  // namespace tarvik
