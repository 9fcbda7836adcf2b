// Loads XML parts with pugixml and gives the name-matching lookups the whole
// reader uses.
#include "pptx/xml_helpers.h"

#include <charconv>
#include <cstring>

#include "platform/error.h"
#include "platform/files.h"

namespace tarvik {

namespace {

// Refuses a tree deeper than kMaxXmlDepth, walking it without recursion.
void CheckDepth(const pugi::xml_node root, const std::string& name) {
  int depth = 0;
  pugi::xml_node node = root;
  while (node) {
    if (node.first_child()) {
      node = node.first_child();
      if (++depth > kMaxXmlDepth)
        throw ETarvikError("Cannot load XML file \"" + name + "\": elements are nested deeper than " +
                           std::to_string(kMaxXmlDepth) + " levels");
      continue;
    }
    while (node && node != root && !node.next_sibling()) {
      node = node.parent();
      --depth;
    }
    if (!node || node == root) break;
    node = node.next_sibling();
  }
}

}  // namespace

std::unique_ptr<TXmlPart> LoadXmlDocumentFromBytes(std::string bytes, const std::string& name) {
  auto part = std::make_unique<TXmlPart>();
  part->Bytes = std::move(bytes);
  // parse_ws_pcdata_single keeps a whitespace-only text only where it is the
  // sole content of its element, which is what a run's <a:t> </a:t> needs;
  // such a text beside child elements is still dropped. Elsewhere a lone
  // whitespace child changes no answer: it never matches a name, and a
  // "first child" test then fails exactly as for an empty element.
  const unsigned flags = pugi::parse_default | pugi::parse_ws_pcdata_single;
  pugi::xml_parse_result result =
      part->Doc.load_buffer_inplace(part->Bytes.data(), part->Bytes.size(), flags, pugi::encoding_auto);
  if (!result)
    throw ETarvikError("Cannot load XML file \"" + name + "\": " + result.description() + " at byte " +
                       std::to_string(result.offset));
  if (!part->Root())
    throw ETarvikError("Cannot load XML file \"" + name + "\": No document element found");
  CheckDepth(part->Doc, name);
  return part;
}

std::unique_ptr<TXmlPart> LoadXmlDocument(const std::string& path) {
  if (!FileExists(path)) throw ETarvikError("Cannot load XML file \"" + path + "\": File was not found");
  return LoadXmlDocumentFromBytes(ReadFileBytes(path), path);
}

std::string_view LocalNameOf(std::string_view qualifiedName) {
  size_t colon = qualifiedName.find(':');
  return colon == std::string_view::npos ? qualifiedName : qualifiedName.substr(colon + 1);
}

bool IsElementNamed(pugi::xml_node node, std::string_view localName) {
  if (node.type() != pugi::node_element) return false;
  // The hot path of every lookup: compare in place rather than measuring the name first.
  const char* name = node.name();
  if (const char* colon = std::strchr(name, ':')) name = colon + 1;
  for (char wanted : localName) {
    if (*name == '\0' || AsciiLower(*name) != AsciiLower(wanted)) return false;
    ++name;
  }
  return *name == '\0';
}

pugi::xml_node FindChildNode(pugi::xml_node element, std::string_view localName) {
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
    if (IsElementNamed(child, localName)) return child;
  return {};
}

void FindChildNodes(pugi::xml_node element, std::string_view localName,
                    std::vector<pugi::xml_node>& list) {
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
    if (IsElementNamed(child, localName)) list.push_back(child);
}

pugi::xml_node FindDescendantNode(pugi::xml_node element, std::string_view localName) {
  pugi::xml_node node = element.first_child();
  while (node) {
    if (IsElementNamed(node, localName)) return node;
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node != element && !node.next_sibling()) node = node.parent();
    if (node == element) break;
    node = node.next_sibling();
  }
  return {};
}

pugi::xml_attribute FindAttr(pugi::xml_node element, std::string_view localName) {
  for (pugi::xml_attribute attr = element.first_attribute(); attr; attr = attr.next_attribute())
    if (SameText(LocalNameOf(attr.name()), localName)) return attr;
  return {};
}

std::string GetAttrText(pugi::xml_node element, std::string_view localName, const std::string& def) {
  pugi::xml_attribute attr = FindAttr(element, localName);
  return attr ? std::string(attr.value()) : def;
}

bool TryParseInt64(std::string_view text, int64_t& value) {
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = first + text.size();
  if (*first == '+') {  // from_chars takes "-" but not "+"
    ++first;
    if (first == last || *first == '-') return false;
  }
  int64_t parsed = 0;
  auto [end, ec] = std::from_chars(first, last, parsed);
  if (ec != std::errc() || end != last) return false;
  value = parsed;
  return true;
}

bool TryParseInt32(std::string_view text, int32_t& value) {
  int64_t wide = 0;
  if (!TryParseInt64(text, wide) || wide < INT32_MIN || wide > INT32_MAX) return false;
  value = static_cast<int32_t>(wide);
  return true;
}

int64_t GetAttrInt64(pugi::xml_node element, std::string_view localName, int64_t def) {
  int64_t value = 0;
  return TryParseInt64(GetAttrText(element, localName), value) ? value : def;
}

int32_t GetAttrInt32(pugi::xml_node element, std::string_view localName, int32_t def) {
  int32_t value = 0;
  return TryParseInt32(GetAttrText(element, localName), value) ? value : def;
}

std::string ElementText(pugi::xml_node element) {
  std::string text;
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
      text += child.value();
    } else if (child.type() == pugi::node_element) {
      throw ETarvikError(std::string("The element \"") + element.name() + "\" holds the markup <" +
                         child.name() + "> where text is expected");
    }
  }
  return text;
}

std::string_view TrimControl(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(begin, end - begin);
}

}  // namespace tarvik
