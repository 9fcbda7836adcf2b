// The header, page and object records of the publication source, each key
// in the order the host reads it.
#include "pubexport/publication_writer.h"

#include <cmath>
#include <numbers>

#include "platform/files.h"
#include "platform/rounding.h"
#include "pptx/group_transform.h"
#include "pubexport/pub_numbers.h"
#include "pubexport/rich_text.h"

namespace tarvik {

namespace {

void Line(std::string& sb, const std::string& text) {
  sb += text;
  sb += "\r\n";
}

void Value(std::string& sb, const char* key, int64_t value) { Line(sb, key + std::to_string(value)); }

int32_t AtLeastOne(int32_t v) { return v < 1 ? 1 : v; }

bool IsTurned(double deg) { return std::fabs(deg) > 0.01; }

void RotationComment(std::string& sb, const char* key, double deg) {
  if (IsTurned(deg)) Line(sb, std::string(key) + FormatAngle(deg));
}

void Geometry(std::string& sb, const TPPTXShape& shape) {
  Value(sb, "X=", shape.LeftPx());
  Value(sb, "Y=", shape.TopPx());
  Value(sb, "W=", AtLeastOne(shape.WidthPx()));
  Value(sb, "H=", AtLeastOne(shape.HeightPx()));
}

int32_t FillValue(const TPPTXShape& shape, int32_t without) {
  return shape.HasFill ? PubColor(shape.FillColor) : without;
}
int32_t LineValue(const TPPTXShape& shape) { return shape.HasLine ? PubColor(shape.LineColor) : 0; }

}  // namespace

int32_t PubLineWidth(double lineWidthPt) {
  int32_t w = RoundHalfEven(lineWidthPt);
  return w < 1 ? 1 : w;
}

void WritePubHeader(std::string& sb, const std::string& title, const std::string& pubFile,
                    int32_t slideWidthPx, int32_t slideHeightPx) {
  std::string folder = ExtractFileDir(pubFile);
  if (folder.empty() || (folder.back() != kPathSep && folder.back() != '/')) folder += kPathSep;
  std::string safeTitle = SingleLine(title);
  Line(sb, "NBW Publication Source File");
  Line(sb, "; Converted from a PowerPoint presentation by Tarvik");
  Line(sb, "Title=" + safeTitle);
  Line(sb, std::string("Author=") + kPubAuthor);
  Line(sb, "Language=US");
  Line(sb, "NeoBookVer=5.80");
  Line(sb, "ScreenColors=16777216");
  Value(sb, "ScreenWidth=", slideWidthPx);
  Value(sb, "ScreenHeight=", slideHeightPx);
  Line(sb, "BkndColor=16777215");
  Line(sb, "ScreenAutoSize=Yes");
  Line(sb, "LinkColor=16711680");
  Line(sb, "WindowStyle=0");
  Line(sb, "WindowOrder=0");
  Line(sb, "WindowPos=0");
  Line(sb, "WindowProps=31");
  Line(sb, "BiDiMode=0");
  Line(sb, "UseUpdateTimer=Yes");
  Line(sb, "ReturnTime=60");
  Line(sb, "ShapeTransColor=536870912");
  Line(sb, "CompileType=0");
  Line(sb, "MediaType=0");
  Line(sb, "FilesIncluded=1");
  Line(sb, "FontsIncluded=0");
  Line(sb, "CopyExternalFiles=Yes");
  Line(sb, "SetupMedia=3");
  Line(sb, "SetupInstDir=" + SingleLine(folder));
  Line(sb, "SetupTitle=" + safeTitle + " Setup");
  Line(sb, "SetupColors=16711680|0|65535");
  Line(sb, "VersionMajor=2");
  Line(sb, "VersionMinor=0");
  Line(sb, "VersionRelease=0");
  Line(sb, "VersionBuild=0");
  Line(sb, "ReqExLevel=1");
  Line(sb, "CustomFontName=Arial");
  Line(sb, "CustomFontSize=9");
  Line(sb, "CustomFontStyle=0");
  Line(sb, "CustomCharset=1");
  Line(sb, "CacheSize=30");
  Line(sb, "ExtractOp=132");
  Line(sb, "L_OK=OK");
  Line(sb, "L_CANCEL=Cancel");
  Line(sb, "L_YES=Yes");
  Line(sb, "L_NO=No");
  Line(sb, "L_CLOSE=Close");
  Line(sb, "L_ERRORTITLE=Error");
}

void WritePageSettings(std::string& sb, const TPPTXSlide& slide) {
  Value(sb, "PageColor=", slide.HasBackgroundColor ? PubColor(slide.BackgroundColor) : 16777215);
  Line(sb, "PageStyle=0");
  Line(sb, "PageGradient1=0");
  Line(sb, "PageGradient2=0");
  Line(sb, "PageGradientDir=1");
  Line(sb, "WallpaperStyle=0");
  Line(sb, "EffectSpeed=0");
}

void WriteBoxObject(std::string& sb, const std::string& name, int32_t x, int32_t y, int32_t w, int32_t h,
                    int32_t fillValue, int32_t lineValue, int32_t lineWidth, bool rounded,
                    double rotationDeg) {
  Value(sb, "ObjectType=", rounded ? 16 : 5);
  Line(sb, "Name=" + name);
  Value(sb, "X=", x);
  Value(sb, "Y=", y);
  Value(sb, "W=", AtLeastOne(w));
  Value(sb, "H=", AtLeastOne(h));
  Line(sb, "Anchor=0");
  Value(sb, "LineColor=", lineValue);
  Value(sb, "LineWidth=", lineWidth);
  Line(sb, "LineStyle=0");
  Value(sb, "FillColor=", fillValue);
  Line(sb, "FillPattern=1");
  Line(sb, "FillMode=Yes");
  Line(sb, "TabOrder=0");
  RotationComment(sb, "; Tarvik Rotation=", rotationDeg);
}

void WriteEllipseObject(std::string& sb, const std::string& name, const TPPTXShape& shape) {
  Line(sb, "ObjectType=6");
  Line(sb, "Name=" + name);
  Geometry(sb, shape);
  Line(sb, "Anchor=0");
  Value(sb, "LineColor=", LineValue(shape));
  Value(sb, "LineWidth=", shape.HasLine ? PubLineWidth(shape.LineWidthPt) : 0);
  Line(sb, "LineStyle=0");
  Value(sb, "FillColor=", FillValue(shape, 16777215));
  Line(sb, "FillPattern=1");
  Line(sb, shape.HasFill ? "FillMode=Yes" : "FillMode=No");
  Line(sb, "TabOrder=0");
  RotationComment(sb, "; Tarvik Rotation=", shape.RotationDeg);
}

void WriteLineObject(std::string& sb, const std::string& name, const TPPTXShape& shape) {
  double l = shape.LeftPx(), t = shape.TopPx();
  double r = l + shape.WidthPx(), b = t + shape.HeightPx();
  // A flip in one direction only makes the line run along the other diagonal.
  double x1 = l, y1 = t, x2 = r, y2 = b;
  if (shape.FlipH != shape.FlipV) {
    x1 = r;
    x2 = l;
  }
  TurnWithShape(shape, x1, y1, x2, y2);
  Line(sb, "ObjectType=7");
  Line(sb, "Name=" + name);
  Value(sb, "X1=", RoundHalfEven(x1));
  Value(sb, "Y1=", RoundHalfEven(y1));
  Value(sb, "X2=", RoundHalfEven(x2));
  Value(sb, "Y2=", RoundHalfEven(y2));
  Line(sb, "EndCaps=0");
  Value(sb, "LineColor=", LineValue(shape));
  Value(sb, "LineWidth=", PubLineWidth(shape.LineWidthPt));
  Line(sb, "LineStyle=0");
  Line(sb, "FillColor=16777215");
  Line(sb, "FillPattern=0");
  Line(sb, "TabOrder=0");
}

void WriteTextObject(std::string& sb, const std::string& name, const TPPTXShape& shape) {
  std::string font = "Arial";
  int32_t size = 18;
  int32_t color = 0;
  if (!shape.Paragraphs.empty() && !shape.Paragraphs[0].Runs.empty()) {
    const TPPTXTextRun& run = shape.Paragraphs[0].Runs[0];
    if (!run.FontName.empty()) font = SingleLine(run.FontName);
    size = RoundHalfEven(run.FontSizePt);
    if (size < 1) size = 1;
    color = run.HasColor ? PubColor(run.Color) : 0;
  }
  Line(sb, "ObjectType=8");
  Line(sb, "Name=" + name);
  Geometry(sb, shape);
  Line(sb, "Anchor=0");
  Line(sb, "Font=" + font);
  Value(sb, "FontSize=", size);
  Line(sb, "FontStyle=0");
  Line(sb, "FontCharset=1");
  Value(sb, "TextColor=", color);
  Line(sb, "Text=" + BuildTextRtf(shape));
  Value(sb, "HMargin=", shape.MarginLeftPx < 0 ? 0 : shape.MarginLeftPx);
  Value(sb, "VMargin=", shape.MarginTopPx < 0 ? 0 : shape.MarginTopPx);
  Value(sb, "Align=", shape.Paragraphs.empty() ? 0 : shape.Paragraphs[0].Alignment);
  Value(sb, "LineColor=", LineValue(shape));
  Line(sb, "LineWidth=0");
  Line(sb, "LineStyle=6");
  Value(sb, "FillColor=", FillValue(shape, 0));
  Line(sb, "FillPattern=1");
  Line(sb, "FillMode=Yes");
  Line(sb, "TabOrder=0");
  if (shape.VerticalAnchor != kAnchorTop) Value(sb, "; Tarvik VerticalAnchor=", shape.VerticalAnchor);
  RotationComment(sb, "; Tarvik TextRotation=", shape.TextRotationDeg);
}

void WritePictureObject(std::string& sb, const std::string& name, const std::string& relativeFile,
                        const TPPTXShape& shape) {
  Line(sb, "ObjectType=4");
  Line(sb, "Name=" + name);
  Geometry(sb, shape);
  Line(sb, "Anchor=0");
  Line(sb, "FileName=" + SingleLine(relativeFile));
  Line(sb, "PictStyle=2");
  Line(sb, "Centered=Yes");
  Line(sb, "Resample=Yes");
  Value(sb, "LineColor=", LineValue(shape));
  Value(sb, "LineWidth=", shape.HasLine ? 1 : 0);
  Line(sb, "LineStyle=0");
  Line(sb, "FillColor=16777215");
  Line(sb, "FillPattern=1");
  Line(sb, "FillMode=Yes");
  Line(sb, "TabOrder=0");
  RotationComment(sb, "; Tarvik Rotation=", shape.RotationDeg);
}

void WriteMediaObject(std::string& sb, const std::string& name, const std::string& relativeFile,
                      const TPPTXShape& shape) {
  Line(sb, "ObjectType=17");
  Line(sb, "Name=" + name);
  Geometry(sb, shape);
  Line(sb, "Anchor=0");
  Line(sb, "FileName=" + SingleLine(relativeFile));
  Line(sb, "AutoStart=No");
  Line(sb, "LineColor=0");
  Line(sb, "LineWidth=0");
  Line(sb, "LineStyle=0");
  Line(sb, "FillColor=0");
  Line(sb, "FillPattern=0");
  Line(sb, "TabOrder=0");
}

void WritePlaceholderObject(std::string& sb, const std::string& name, const TPPTXShape& shape) {
  WriteBoxObject(sb, name, shape.LeftPx(), shape.TopPx(), shape.WidthPx(), shape.HeightPx(), 16777215,
                 8421504, 1, false, shape.RotationDeg);
  Line(sb, "; Tarvik unsupported PPTX object preserved as editable placeholder");
}

}  // namespace tarvik
