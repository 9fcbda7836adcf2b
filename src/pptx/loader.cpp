// The reader's entry point: unpacks the package, reads the theme, the slide
// size and the slides in presentation order, and hands back the model.
//
// A slide's relationship part is looked for beside the slide part itself
// (<slide folder>/_rels), as the package format places it, so that a slide
// stored outside ppt/slides keeps its pictures and layout.
//
// Slides listed by an external relationship, or by an internal one that
// leads outside the extraction folder, are skipped like unknown ids: the
// reader never opens a file of the user's disk that the package names.
//
// A slide part without a shape tree is read as a slide without shapes.
//
// Parse budget: a package may list the same slide part many times; reading
// it again each time is what the order of slides asks for, but a small part
// listed a hundred thousand times would keep the loader busy for hours. The
// slide parts read in one load may therefore add up to at most
// kSlideReadFactor times the bytes the package extracted, plus
// kSlideReadAllowance; beyond that the load fails. A real deck reads each
// slide part once.
#include "pptx/loader.h"

#include <algorithm>
#include <map>
#include <optional>
#include <system_error>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/metafile.h"
#include "platform/tiff.h"
#include "pptx/fill.h"
#include "pptx/package.h"
#include "pptx/placeholders.h"
#include "pptx/relationships.h"
#include "pptx/shape_tree.h"
#include "pptx/theme.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

constexpr uint64_t kSlideReadFactor = 4;
constexpr uint64_t kSlideReadAllowance = 64ull << 20;

// The r:id of a sldId: the first attribute named <prefix>:<local> with prefix
// "r" and local name "id", letter case ignored; "" when there is none.
std::string SlideRelationshipId(pugi::xml_node sldId) {
  for (pugi::xml_attribute attr = sldId.first_attribute(); attr; attr = attr.next_attribute()) {
    std::string_view name = attr.name();
    size_t colon = name.find(':');
    if (colon == std::string_view::npos) continue;
    if (SameText(name.substr(0, colon), "r") && SameText(name.substr(colon + 1), "id")) return attr.value();
  }
  return "";
}

struct TTheme {
  ThemeColorMap Colors;
  TThemeFonts Fonts;
  std::unique_ptr<TXmlPart> Xml;  // for its fmtScheme
  RelationshipMap Rels;           // for the pictures its fill styles name
  pugi::xml_node Formats() const { return Xml ? FindDescendantNode(Xml->Root(), "fmtScheme") : pugi::xml_node(); }
};

TTheme ReadTheme(const std::string& path, const std::string& extractFolder) {
  std::unique_ptr<TXmlPart> xml = LoadXmlDocument(path);
  TTheme theme{ReadThemeColors(xml->Root()), ReadThemeFonts(xml->Root()), nullptr, {}};
  theme.Xml = std::move(xml);
  try {
    theme.Rels = LoadRelationships(ExtractFileDir(path), ExtractFileName(path), extractFolder);
  } catch (const ETarvikError&) {
    theme.Rels = RelationshipMap();  // broken relationships only cost the theme its picture fills
  }
  return theme;
}

struct TLoadState {
  std::string ExtractFolder;
  std::string SlidesFolder;
  TTheme DefaultTheme;  // ppt/theme/theme1.xml, for slides whose master names none
  TPlaceholderCache Placeholders;
  uint64_t SlideBudgetBytes = 0;
  uint64_t SlideBytesLeft = 0;
  pugi::xml_node DefaultTextStyle;
  std::map<std::string, std::unique_ptr<TTheme>> Themes;  // by part path; null: unreadable
  std::unique_ptr<TXmlPart> TableStyles;
  // One moment for the whole deck, so that every slide's date fields agree.
  TLocalTime Clock = LocalTimeNow();
};

// The theme of a master, read once; the default theme when it has none or
// it cannot be read.
const TTheme& ThemeOf(const TPlaceholderPart* master, TLoadState& state) {
  if (!master || master->ThemePath.empty()) return state.DefaultTheme;
  auto found = state.Themes.find(master->ThemePath);
  if (found == state.Themes.end()) {
    std::unique_ptr<TTheme> theme;
    try {
      theme = std::make_unique<TTheme>(ReadTheme(master->ThemePath, state.ExtractFolder));
    } catch (const ETarvikError&) {
      theme.reset();  // a master's unreadable theme falls back to the deck's first
    }
    found = state.Themes.emplace(master->ThemePath, std::move(theme)).first;
  }
  return found->second ? *found->second : state.DefaultTheme;
}

bool ShowsMasterShapes(pugi::xml_node root) { return GetAttrText(root, "showMasterSp") != "0"; }

// A part's cSld/bg: a fill of its own (bgPr) or a reference into the theme (bgRef).
bool ReadBackground(pugi::xml_node root, const TPaintContext& paint, TPPTXFill& fill) {
  pugi::xml_node bg = FindChildNode(FindChildNode(root, "cSld"), "bg");
  if (!bg) return false;
  if (pugi::xml_node bgPr = FindChildNode(bg, "bgPr")) return ReadFill(bgPr, paint, fill);
  return ReadFillReference(FindChildNode(bg, "bgRef"), paint, fill);
}

// The colour map in force on a slide: the slide's own override, else its
// layout's, else the master's clrMap.
pugi::xml_node ColorMapOf(pugi::xml_node slideRoot, const TSlidePlaceholders& parts) {
  for (pugi::xml_node root : {slideRoot, parts.Layout ? parts.Layout->Root() : pugi::xml_node()}) {
    pugi::xml_node mapping = FindChildNode(FindChildNode(root, "clrMapOvr"), "overrideClrMapping");
    if (mapping) return mapping;
  }
  return FindChildNode(parts.Master ? parts.Master->Root() : pugi::xml_node(), "clrMap");
}

std::unique_ptr<TPPTXSlide> ReadSlide(const std::string& slidePath, int32_t slideNumber, TLoadState& state) {
  auto slide = std::make_unique<TPPTXSlide>();
  slide->SourceFileName = ExtractFileName(slidePath);

  int64_t size = FileSize(slidePath);
  if (size > 0) {
    if (static_cast<uint64_t>(size) > state.SlideBytesLeft)
      throw ETarvikError("The presentation lists its slide parts so often that reading them all would exceed " +
                         std::to_string(state.SlideBudgetBytes >> 20) + " MiB (" + std::to_string(kSlideReadFactor) +
                         " times the unpacked package and " + std::to_string(kSlideReadAllowance >> 20) + " MiB more)");
    state.SlideBytesLeft -= static_cast<uint64_t>(size);
  }
  auto xml = LoadXmlDocument(slidePath);
  const pugi::xml_node root = xml->Root();

  std::string slideFolder = ExtractFileDir(slidePath);
  if (slideFolder.empty()) slideFolder = state.SlidesFolder;
  RelationshipMap rels = LoadRelationships(slideFolder, slide->SourceFileName, state.ExtractFolder);

  TSlideInheritance inherited;
  inherited.Placeholders = state.Placeholders.ForLayout(rels.FindInternalByType("/slideLayout"));
  const TTheme& theme = ThemeOf(inherited.Placeholders.Master, state);
  const ThemeColorMap colors = ApplyColorMap(theme.Colors, ColorMapOf(root, inherited.Placeholders));
  inherited.Colors = &colors;
  inherited.Fonts = &theme.Fonts;
  const TPlaceholderPart* layout = inherited.Placeholders.Layout;
  const TPlaceholderPart* master = inherited.Placeholders.Master;
  if (master) inherited.MasterTextStyles = FindChildNode(master->Root(), "txStyles");
  inherited.DefaultTextStyle = state.DefaultTextStyle;
  inherited.ThemeFormats = theme.Formats();
  inherited.ThemeRels = &theme.Rels;
  inherited.TableStyles = state.TableStyles ? state.TableStyles->Root() : pugi::xml_node();
  inherited.ExtractFolder = state.ExtractFolder;
  inherited.SlideNumber = slideNumber;
  inherited.Clock = state.Clock;

  // The background: the slide's own, else its layout's, else its master's,
  // each part's pictures by its own relationships.
  const std::pair<pugi::xml_node, const RelationshipMap*> parts[] = {
      {root, &rels},
      {layout ? layout->Root() : pugi::xml_node(), layout ? &layout->Rels : nullptr},
      {master ? master->Root() : pugi::xml_node(), master ? &master->Rels : nullptr}};
  for (const auto& [part, partRels] : parts) {
    if (ReadBackground(part, {&colors, partRels, inherited.ThemeFormats, &theme.Rels}, slide->Background)) {
      slide->HasBackgroundColor = SolidColorOf(slide->Background, slide->BackgroundColor);
      break;
    }
  }

  GroupXformStack xforms;
  GroupNameStack names;
  // The master's and the layout's own shapes lie beneath the slide's, unless
  // the slide (or, for the master's, the layout) hides them.
  if (ShowsMasterShapes(root) && layout) {
    if (master && ShowsMasterShapes(layout->Root()))
      WalkShapeTree(FindDescendantNode(master->Root(), "spTree"), *slide, master->Rels, inherited, xforms, names, true);
    WalkShapeTree(FindDescendantNode(layout->Root(), "spTree"), *slide, layout->Rels, inherited, xforms, names, true);
  }
  WalkShapeTree(FindDescendantNode(root, "spTree"), *slide, rels, inherited, xforms, names);
  return slide;
}

// The picture browsers draw in place of File, a metafile or a TIFF, which
// they cannot draw: made next to it, or "" when none could be made. Nothing
// for a file browsers draw as it is.
std::optional<std::string> BrowserPicture(const std::string& file) {
  const std::string head = ReadFileHead(file, 44);
  if (const TMetafileKind kind = MetafileKindOf(head); kind != TMetafileKind::None)
    return ConvertMetafile(file, kind, file);
  if (IsTiff(head)) return ConvertTiff(file, file);
  return std::nullopt;
}

// Each picture file browsers cannot draw, by path: the picture made for it,
// "" when none could be made.
using TBrowserPictures = std::map<std::string, std::string>;

// The picture made for File, once however often it is shown; nullptr for a
// file browsers draw as it is.
const std::string* KnownBrowserPicture(const std::string& file, TBrowserPictures& cache) {
  auto known = cache.find(file);
  if (known == cache.end()) {
    std::optional<std::string> picture = BrowserPicture(file);
    if (!picture) return nullptr;
    known = cache.emplace(file, std::move(*picture)).first;
  }
  return &known->second;
}

// Only browsers draw a picture fill, so it simply names the picture made for
// it; one that could not be made is left to draw nothing, as before.
void ConvertFill(TPPTXFill& fill, TBrowserPictures& cache) {
  if (fill.Kind != kFillPicture || fill.PictureFile.empty()) return;
  const std::string* picture = KnownBrowserPicture(fill.PictureFile, cache);
  if (picture && !picture->empty()) fill.PictureFile = *picture;
}

// A picture shape keeps its original for the import beside the picture made
// for browsers.
void ConvertForBrowsers(TPPTXSlide& slide, TBrowserPictures& cache) {
  ConvertFill(slide.Background, cache);
  for (auto& shape : slide.Shapes) {
    ConvertFill(shape->Fill, cache);
    if (shape->Kind != skImage || shape->MediaFile.empty()) continue;
    const std::string* picture = KnownBrowserPicture(shape->MediaFile, cache);
    if (!picture) continue;
    shape->DrawingFile = *picture;
    shape->UndrawablePicture = picture->empty();
  }
}

std::unique_ptr<TPPTXPresentation> LoadPPTX(const std::string& file, const std::string& extractionRoot) {
  uint64_t extractedBytes = 0;
  const std::string folder = ExtractPackage(file, extractionRoot, &extractedBytes);

  auto presentation = std::make_unique<TPPTXPresentation>();
  presentation->SourceFile = file;
  presentation->ExtractFolder = folder;
  presentation->MediaFolder = JoinPath(folder, std::string("ppt") + kPathSep + "media");

  const std::string pptFolder = JoinPath(folder, "ppt");
  const uint64_t budget = extractedBytes * kSlideReadFactor + kSlideReadAllowance;
  TLoadState state{folder, JoinPath(pptFolder, "slides"), TTheme(), TPlaceholderCache(folder), budget, budget, {}, {}, {}};
  if (FileExists(ThemePartPath(folder))) state.DefaultTheme = ReadTheme(ThemePartPath(folder), folder);
  presentation->ThemeMajorFont = state.DefaultTheme.Fonts.MajorLatin;
  presentation->ThemeMinorFont = state.DefaultTheme.Fonts.MinorLatin;

  const std::string presentationPath = JoinPath(pptFolder, "presentation.xml");
  if (!FileExists(presentationPath))
    throw ETarvikError("\"" + file + "\" is not a PowerPoint presentation: its package has no ppt/presentation.xml");
  auto xml = LoadXmlDocument(presentationPath);
  const pugi::xml_node root = xml->Root();
  state.DefaultTextStyle = FindChildNode(root, "defaultTextStyle");
  // Table styles are optional, and a broken part only costs the tables their style.
  const std::string tableStylesPath = JoinPath(pptFolder, "tableStyles.xml");
  if (FileExists(tableStylesPath)) {
    try {
      state.TableStyles = LoadXmlDocument(tableStylesPath);
    } catch (const ETarvikError&) {
      state.TableStyles.reset();
    }
  }
  pugi::xml_node size = FindChildNode(root, "sldSz");
  presentation->SlideWidthEmu = GetAttrInt64(size, "cx", 12192000);
  presentation->SlideHeightEmu = GetAttrInt64(size, "cy", 6858000);

  RelationshipMap rels = LoadRelationships(pptFolder, "presentation.xml", folder);

  TBrowserPictures converted;
  const int64_t firstNumber = std::clamp<int64_t>(GetAttrInt64(root, "firstSlideNum", 1), 0, 1 << 30);
  pugi::xml_node list = FindChildNode(root, "sldIdLst");
  for (pugi::xml_node entry = list.first_child(); entry; entry = entry.next_sibling()) {
    if (!IsElementNamed(entry, "sldId")) continue;
    const std::string id = SlideRelationshipId(entry);
    const RelationshipMap::TTarget* target = id.empty() ? nullptr : rels.FindTarget(id);
    if (!target || target->External) continue;
    const int64_t number = firstNumber + static_cast<int64_t>(presentation->Slides.size());
    presentation->Slides.push_back(ReadSlide(target->Path, static_cast<int32_t>(number), state));
    ConvertForBrowsers(*presentation->Slides.back(), converted);
  }
  return presentation;
}

}  // namespace

std::unique_ptr<TPPTXPresentation> LoadPPTXPresentation(const std::string& file,
                                                         const std::string& extractionRoot) {
  if (!FileExists(file)) throw ETarvikError("PPTX file not found: " + file);
  try {
    return LoadPPTX(file, extractionRoot);
  } catch (const std::system_error& e) {
    // The file system library's own failures (on Windows also a name it
    // cannot convert) reach the user as a message like any other.
    throw ETarvikError(e.what());
  }
}

}  // namespace tarvik
