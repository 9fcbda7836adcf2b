// Theme fonts, the colour scheme and colour arithmetic.
#include "pptx/theme.h"

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

// 32-bit signed arithmetic that wraps like the machine does instead of being
// undefined on overflow.
int32_t Mul32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
int32_t Add32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t Sub32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

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
  ThemeColorMap map;
  auto theme = LoadTheme(extractFolder);
  if (!theme) return map;
  pugi::xml_node scheme = FindDescendantNode(theme->Root(), "clrScheme");
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

TColor ApplyColorModifiers(TColor color, pugi::xml_node element) {
  if (!element) return color;
  int32_t channel[3] = {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
  for (pugi::xml_node modifier = element.first_child(); modifier; modifier = modifier.next_sibling()) {
    if (modifier.type() != pugi::node_element) continue;
    std::string_view name = LocalNameOf(modifier.name());
    int32_t val = GetAttrInt32(modifier, "val", 100000);
    if (SameText(name, "lumMod") || SameText(name, "shade")) {
      for (int32_t& c : channel) c = Mul32(c, val) / 100000;
    } else if (SameText(name, "lumOff")) {
      int32_t offset = Mul32(val, 255) / 100000;
      for (int32_t& c : channel) c = Add32(c, offset);
    } else if (SameText(name, "tint")) {
      for (int32_t& c : channel) c = Add32(c, Mul32(Sub32(255, c), val) / 100000);
    }
  }
  return MakeColor(Clamp255(channel[0]), Clamp255(channel[1]), Clamp255(channel[2]));
}

TColor ResolveSchemeColor(const ThemeColorMap* map, const std::string& name, pugi::xml_node element) {
  std::string key = LowerAscii(name);
  if (key == "bg1") key = "lt1";
  else if (key == "tx1") key = "dk1";
  else if (key == "bg2") key = "lt2";
  else if (key == "tx2") key = "dk2";
  TColor color = 0;
  if (map) {
    auto it = map->find(key);
    if (it != map->end()) color = it->second;
  }
  return ApplyColorModifiers(color, element);
}

bool ReadSolidFill(pugi::xml_node element, const ThemeColorMap* map, TColor& color) {
  color = 0;
  pugi::xml_node fill = FindChildNode(element, "solidFill");
  pugi::xml_node value = fill.first_child();
  if (!value) return false;
  if (IsElementNamed(value, "srgbClr")) {
    color = ApplyColorModifiers(ParseHexColor(GetAttrText(value, "val")), value);
  } else if (IsElementNamed(value, "schemeClr")) {
    color = ResolveSchemeColor(map, GetAttrText(value, "val"), value);
  } else if (IsElementNamed(value, "sysClr")) {
    color = ApplyColorModifiers(ParseHexColor(GetAttrText(value, "lastClr", "FFFFFF")), value);
  } else {
    return false;
  }
  return true;
}

}  // namespace tarvik
