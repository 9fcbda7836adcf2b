// Theme fonts, the colour scheme and colour arithmetic.
#include "pptx/theme.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/files.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int HexPair(char high, char low) {
  int h = HexDigit(high), l = HexDigit(low);
  return (h < 0 || l < 0) ? 0 : h * 16 + l;
}

TColor MakeColor(int32_t red, int32_t green, int32_t blue) { return red + green * 256 + blue * 65536; }

int32_t Clamp255(int32_t value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

// scRGB channel in thousandths of a percent -> 0..255, halves to even, low 8 bits.
int32_t ScRgbChannel(const std::string& text) {
  double number = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(number)) number = 0;
  double scaled = std::nearbyint(number * 255.0 / 100000.0);
  if (!(scaled > -9.0e18 && scaled < 9.0e18)) return 0;
  return static_cast<int32_t>(static_cast<int64_t>(scaled) & 0xFF);
}

// The preset colour names decks use; an unknown one reads as black.
TColor PresetColor(std::string_view name) {
  static const struct {
    const char* Name;
    const char* Hex;
  } kPresets[] = {
      {"black", "000000"},  {"white", "FFFFFF"},   {"red", "FF0000"},     {"green", "008000"},
      {"blue", "0000FF"},   {"yellow", "FFFF00"},  {"cyan", "00FFFF"},    {"aqua", "00FFFF"},
      {"magenta", "FF00FF"}, {"fuchsia", "FF00FF"}, {"gray", "808080"},   {"grey", "808080"},
      {"silver", "C0C0C0"}, {"orange", "FFA500"},  {"purple", "800080"},  {"navy", "000080"},
      {"maroon", "800000"}, {"olive", "808000"},   {"teal", "008080"},    {"lime", "00FF00"},
      {"brown", "A52A2A"},  {"pink", "FFC0CB"},    {"gold", "FFD700"},    {"dkGray", "A9A9A9"},
      {"ltGray", "D3D3D3"}, {"dkBlue", "00008B"},  {"dkRed", "8B0000"},   {"dkGreen", "006400"},
      {"ltBlue", "ADD8E6"}, {"ltGreen", "90EE90"}, {"ltYellow", "FFFFE0"}, {"dkOrange", "FF8C00"},
  };
  for (const auto& preset : kPresets)
    if (SameText(name, preset.Name)) return ParseHexColor(preset.Hex);
  return 0;
}

// HSL with hue in 60000ths of a degree, saturation and luminance in
// thousandths of a percent.
TColor HslColor(int64_t hue, int64_t saturation, int64_t luminance) {
  const double h = std::fmod(static_cast<double>(hue) / 60000.0 / 360.0, 1.0);
  const double s = std::clamp(static_cast<double>(saturation) / 100000.0, 0.0, 1.0);
  const double l = std::clamp(static_cast<double>(luminance) / 100000.0, 0.0, 1.0);
  const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
  const double p = 2 * l - q;
  auto channel = [&](double t) {
    t = t < 0 ? t + 1 : (t > 1 ? t - 1 : t);
    double v = t < 1.0 / 6 ? p + (q - p) * 6 * t : t < 0.5 ? q : t < 2.0 / 3 ? p + (q - p) * (2.0 / 3 - t) * 6 : p;
    return static_cast<int32_t>(std::lround(v * 255));
  };
  return MakeColor(channel(h + 1.0 / 3), channel(h), channel(h - 1.0 / 3));
}

std::string FontOf(pugi::xml_node font, std::string_view script) {
  return GetAttrText(FindChildNode(font, script), "typeface");
}

std::unique_ptr<TXmlPart> LoadTheme(const std::string& extractFolder) {
  std::string path = ThemePartPath(extractFolder);
  if (!FileExists(path)) return nullptr;
  return LoadXmlDocument(path);
}

}  // namespace

std::string ThemePartPath(const std::string& extractFolder) {
  return JoinPath(JoinPath(JoinPath(extractFolder, "ppt"), "theme"), "theme1.xml");
}

TColor ParseHexColor(const std::string& text) {
  std::string_view hex = TrimControl(text);
  if (!hex.empty() && hex[0] == '#') hex.remove_prefix(1);
  if (hex.size() < 6) return 0;
  return MakeColor(HexPair(hex[0], hex[1]), HexPair(hex[2], hex[3]), HexPair(hex[4], hex[5]));
}

std::string LoadThemeFont(const std::string& extractFolder, bool major) {
  auto theme = LoadTheme(extractFolder);
  if (!theme) return "";
  pugi::xml_node scheme = FindDescendantNode(theme->Root(), "fontScheme");
  pugi::xml_node font = FindChildNode(scheme, major ? "majorFont" : "minorFont");
  return GetAttrText(FindChildNode(font, "latin"), "typeface");
}

ThemeColorMap LoadThemeColors(const std::string& extractFolder) {
  auto theme = LoadTheme(extractFolder);
  return theme ? ReadThemeColors(theme->Root()) : ThemeColorMap();
}

TThemeFonts ReadThemeFonts(pugi::xml_node themeRoot) {
  pugi::xml_node scheme = FindDescendantNode(themeRoot, "fontScheme");
  pugi::xml_node major = FindChildNode(scheme, "majorFont"), minor = FindChildNode(scheme, "minorFont");
  TThemeFonts fonts{FontOf(major, "latin"), FontOf(major, "ea"), FontOf(major, "cs"),
                    FontOf(minor, "latin"), FontOf(minor, "ea"), FontOf(minor, "cs")};
  for (auto [font, scripts] : {std::pair{major, &fonts.MajorScripts}, std::pair{minor, &fonts.MinorScripts}})
    for (pugi::xml_node node = FindChildNode(font, "font"); node && scripts->size() < 64;
         node = node.next_sibling())
      if (IsElementNamed(node, "font") && !GetAttrText(node, "typeface").empty())
        scripts->emplace_back(GetAttrText(node, "script"), GetAttrText(node, "typeface"));
  return fonts;
}

std::string ResolveThemeTypeface(const std::string& typeface, const TThemeFonts& fonts, std::string_view scriptTag) {
  if (typeface.size() != 6 || typeface[0] != '+' || typeface[3] != '-') return typeface;
  const std::string_view kind(typeface.data() + 1, 2), script(typeface.data() + 4, 2);
  const bool major = SameText(kind, "mj");
  if (!major && !SameText(kind, "mn")) return typeface;
  const std::string& latin = major ? fonts.MajorLatin : fonts.MinorLatin;
  const std::string* chosen = nullptr;
  if (SameText(script, "lt")) chosen = &latin;
  else if (SameText(script, "ea")) chosen = major ? &fonts.MajorEastAsian : &fonts.MinorEastAsian;
  else if (SameText(script, "cs")) chosen = major ? &fonts.MajorComplex : &fonts.MinorComplex;
  if (!chosen) return typeface;
  if (!chosen->empty()) return *chosen;
  if (chosen != &latin && !scriptTag.empty())
    for (const auto& [script, face] : major ? fonts.MajorScripts : fonts.MinorScripts)
      if (SameText(script, scriptTag)) return face;
  return latin;
}

ThemeColorMap ApplyColorMap(const ThemeColorMap& theme, pugi::xml_node clrMap) {
  ThemeColorMap mapped = theme;
  for (pugi::xml_attribute attr = clrMap.first_attribute(); attr; attr = attr.next_attribute()) {
    std::string name = LowerAscii(LocalNameOf(attr.name()));
    if (name == "xmlns" || name.empty()) continue;
    auto source = theme.find(LowerAscii(attr.value()));
    if (source != theme.end()) mapped[name] = source->second;
  }
  return mapped;
}

ThemeColorMap ReadThemeColors(pugi::xml_node themeRoot) {
  ThemeColorMap map;
  pugi::xml_node scheme = FindDescendantNode(themeRoot, "clrScheme");
  for (pugi::xml_node entry = scheme.first_child(); entry; entry = entry.next_sibling()) {
    if (entry.type() != pugi::node_element) continue;
    pugi::xml_node value = entry.first_child();
    if (!value) continue;
    std::string key = LowerAscii(LocalNameOf(entry.name()));
    if (IsElementNamed(value, "srgbClr")) {
      map[key] = ParseHexColor(GetAttrText(value, "val"));
    } else if (IsElementNamed(value, "sysClr")) {
      map[key] = ParseHexColor(GetAttrText(value, "lastClr", "FFFFFF"));
    } else if (IsElementNamed(value, "scrgbClr")) {
      map[key] = MakeColor(ScRgbChannel(GetAttrText(value, "r", "0")), ScRgbChannel(GetAttrText(value, "g", "0")),
                           ScRgbChannel(GetAttrText(value, "b", "0")));
    }
  }
  return map;
}

namespace {

// Tint and shade mix with white and black in linear light, as the slide
// editors and LibreOffice do; val is the share of the input colour kept.
double ToLinear(int32_t c) {
  const double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

int32_t FromLinear(double v) {
  v = std::clamp(v, 0.0, 1.0);
  const double s = v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
  return static_cast<int32_t>(std::lround(s * 255));
}

int32_t Tint(int32_t c, int32_t val) {
  const double keep = std::clamp(val, 0, 100000) / 100000.0;
  return FromLinear(1 - (1 - ToLinear(std::clamp(c, 0, 255))) * keep);
}

int32_t Shade(int32_t c, int32_t val) {
  const double keep = std::clamp(val, 0, 100000) / 100000.0;
  return FromLinear(ToLinear(std::clamp(c, 0, 255)) * keep);
}

// Hue in degrees, saturation and luminance from 0 to 1, of 8-bit channels,
// for the modifiers that work on them. Modifiers may carry them out of range
// in between; FromHsl limits them.
struct THsl {
  double Hue = 0, Sat = 0, Lum = 0;
};

THsl ToHsl(const int32_t channel[3]) {
  const double r = std::clamp(channel[0], 0, 255) / 255.0, g = std::clamp(channel[1], 0, 255) / 255.0,
               b = std::clamp(channel[2], 0, 255) / 255.0;
  const double high = std::max({r, g, b}), low = std::min({r, g, b}), chroma = high - low;
  THsl hsl;
  hsl.Lum = (high + low) / 2;
  if (chroma <= 0) return hsl;
  hsl.Sat = chroma / (1 - std::fabs(2 * hsl.Lum - 1));
  const double sixths = high == r   ? std::fmod((g - b) / chroma + 6, 6.0)
                        : high == g ? (b - r) / chroma + 2
                                    : (r - g) / chroma + 4;
  hsl.Hue = sixths * 60;
  return hsl;
}

void FromHsl(THsl hsl, int32_t channel[3]) {
  double hue = std::fmod(hsl.Hue, 360.0);
  if (hue < 0) hue += 360;
  const TColor color = HslColor(std::llround(hue * 60000),
                                std::llround(std::clamp(hsl.Sat, 0.0, 1.0) * 100000),
                                std::llround(std::clamp(hsl.Lum, 0.0, 1.0) * 100000));
  channel[0] = color & 0xFF;
  channel[1] = (color >> 8) & 0xFF;
  channel[2] = (color >> 16) & 0xFF;
}

}  // namespace

TColor ApplyColorModifiers(TColor color, pugi::xml_node element) {
  if (!element) return color;
  int32_t channel[3] = {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
  // Luminance, saturation and hue modifiers work in HSL, as Office and
  // LibreOffice apply them: scaling the channels instead greys a dark accent
  // that an offset lightens (tx2 "lighter 40%" came out slate instead of
  // blue). A run of them keeps its HSL values unlimited between steps.
  THsl hsl;
  bool pending = false;  // hsl holds the steps so far, not yet back in channel
  auto settle = [&] {
    if (pending) FromHsl(hsl, channel);
    pending = false;
  };
  for (pugi::xml_node modifier = element.first_child(); modifier; modifier = modifier.next_sibling()) {
    if (modifier.type() != pugi::node_element) continue;
    std::string_view name = LocalNameOf(modifier.name());
    const int32_t val = GetAttrInt32(modifier, "val", 100000);
    const double share = val / 100000.0;
    if (SameText(name, "shade") || SameText(name, "tint")) {
      settle();
      for (int32_t& c : channel) c = SameText(name, "shade") ? Shade(c, val) : Tint(c, val);
      continue;
    }
    THsl next = pending ? hsl : ToHsl(channel);
    if (SameText(name, "lumMod")) next.Lum *= share;
    else if (SameText(name, "lumOff")) next.Lum += share;
    else if (SameText(name, "satMod")) next.Sat *= share;
    else if (SameText(name, "satOff")) next.Sat += share;
    else if (SameText(name, "sat")) next.Sat = share;
    else if (SameText(name, "hueMod")) next.Hue *= share;
    else if (SameText(name, "hueOff")) next.Hue += val / 60000.0;
    else if (SameText(name, "hue")) next.Hue = val / 60000.0;
    else continue;  // alpha and the like leave the colour alone
    hsl = next;
    pending = true;
  }
  settle();
  return MakeColor(Clamp255(channel[0]), Clamp255(channel[1]), Clamp255(channel[2]));
}

TColor ResolveSchemeColor(const ThemeColorMap* map, const std::string& name, pugi::xml_node element) {
  std::string key = LowerAscii(name);
  TColor color = 0;
  if (map) {
    auto it = map->find(key);
    if (it == map->end()) {
      if (key == "bg1") key = "lt1";
      else if (key == "tx1") key = "dk1";
      else if (key == "bg2") key = "lt2";
      else if (key == "tx2") key = "dk2";
      it = map->find(key);
    }
    if (it != map->end()) color = it->second;
  }
  return ApplyColorModifiers(color, element);
}

bool ReadColor(pugi::xml_node value, const ThemeColorMap* map, TColor& color) {
  color = 0;
  if (IsElementNamed(value, "srgbClr")) {
    color = ApplyColorModifiers(ParseHexColor(GetAttrText(value, "val")), value);
  } else if (IsElementNamed(value, "schemeClr")) {
    color = ResolveSchemeColor(map, GetAttrText(value, "val"), value);
  } else if (IsElementNamed(value, "sysClr")) {
    color = ApplyColorModifiers(ParseHexColor(GetAttrText(value, "lastClr", "FFFFFF")), value);
  } else if (IsElementNamed(value, "prstClr")) {
    color = ApplyColorModifiers(PresetColor(GetAttrText(value, "val")), value);
  } else if (IsElementNamed(value, "scrgbClr")) {
    color = ApplyColorModifiers(MakeColor(ScRgbChannel(GetAttrText(value, "r", "0")),
                                          ScRgbChannel(GetAttrText(value, "g", "0")),
                                          ScRgbChannel(GetAttrText(value, "b", "0"))),
                                value);
  } else if (IsElementNamed(value, "hslClr")) {
    color = ApplyColorModifiers(
        HslColor(GetAttrInt64(value, "hue", 0), GetAttrInt64(value, "sat", 0), GetAttrInt64(value, "lum", 0)),
        value);
  } else {
    return false;
  }
  return true;
}

bool ReadSolidFill(pugi::xml_node element, const ThemeColorMap* map, TColor& color) {
  return ReadColor(FindChildNode(element, "solidFill").first_child(), map, color);
}

double ColorAlpha(pugi::xml_node color) {
  pugi::xml_node alpha = FindChildNode(color, "alpha");
  if (!alpha) return 1;
  return std::clamp(static_cast<double>(GetAttrInt64(alpha, "val", 100000)) / 100000, 0.0, 1.0);
}

}  // namespace tarvik
