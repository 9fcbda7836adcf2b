// Reading XML parts and finding things in them. Parts are loaded from files
// into a complete pugixml tree; elements and attributes are matched by local
// name (the part after the first colon), folding only the ASCII letters, so
// any namespace prefix or none is accepted. Every helper takes a node that may
// be empty and answers with an empty node or the default, like pugixml does.
//
// Limits against hostile parts (a real PresentationML part nests about
// 20 levels): a part nested deeper than kMaxXmlDepth elements is refused
// with an ETarvikError. Every search here walks the tree iteratively, so even
// the refused part is never a danger to the stack.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "platform/ascii.h"

namespace tarvik {

inline constexpr int kMaxXmlDepth = 1000;

// A parsed part. The tree borrows the bytes it was parsed from, so both live here.
struct TXmlPart {
  std::string Bytes;
  pugi::xml_document Doc;
  pugi::xml_node Root() const { return Doc.document_element(); }
};

// Loads a file into a tree. Whitespace-only text is dropped, except the whole
// content of an element whose local name is "t": the single space between two
// differently formatted words of a run is text. Raises ETarvikError with the
// parser's or the file system's message for a missing, unreadable, malformed
// or too deeply nested part.
std::unique_ptr<TXmlPart> LoadXmlDocument(const std::string& path);
// The same from bytes in memory; name only goes into messages.
std::unique_ptr<TXmlPart> LoadXmlDocumentFromBytes(std::string bytes, const std::string& name);

// "p:spTree" -> "spTree"; a name without a colon is its own local name.
std::string_view LocalNameOf(std::string_view qualifiedName);
// True for an element whose local name equals localName, ASCII case folded.
bool IsElementNamed(pugi::xml_node node, std::string_view localName);

// First direct child element with that local name; empty when none.
pugi::xml_node FindChildNode(pugi::xml_node element, std::string_view localName);
// Appends every matching direct child in document order; never clears the list.
void FindChildNodes(pugi::xml_node element, std::string_view localName,
                    std::vector<pugi::xml_node>& list);
// First match below element in pre-order (the outermost, earliest one).
pugi::xml_node FindDescendantNode(pugi::xml_node element, std::string_view localName);

// First attribute whose local name matches; empty when none.
pugi::xml_attribute FindAttr(pugi::xml_node element, std::string_view localName);
// Its value as stored, or def when the element or the attribute is absent.
// A present but empty attribute yields "".
std::string GetAttrText(pugi::xml_node element, std::string_view localName,
                        const std::string& def = std::string());
// The attribute as a signed integer; def when absent, empty or not an integer.
int64_t GetAttrInt64(pugi::xml_node element, std::string_view localName, int64_t def);
// As above, but the value must also fit in 32 bits.
int32_t GetAttrInt32(pugi::xml_node element, std::string_view localName, int32_t def);

// Whole-text integer parsing: optional sign, decimal digits, nothing else.
bool TryParseInt64(std::string_view text, int64_t& value);
bool TryParseInt32(std::string_view text, int32_t& value);

// The characters of an element that should hold text only. Raises
// ETarvikError when it holds child elements instead.
std::string ElementText(pugi::xml_node element);

// Removes white space and control characters (bytes up to 0x20) from both ends.
std::string_view TrimControl(std::string_view text);

}  // namespace tarvik
