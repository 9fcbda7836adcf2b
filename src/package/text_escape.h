// Escaping for the texts that packages are made of: XML documents, JSON
// files and URL paths. Strings are UTF-8; only ASCII characters are ever
// rewritten, so multi-byte sequences pass through unchanged.
#pragma once
#include <string>
#include <string_view>

namespace tarvik {

// For XML character data and attribute values: "&", "<", ">", the double
// quote and the apostrophe become "&amp;", "&lt;", "&gt;", "&quot;" and
// "&apos;" ("&" first, so no reference is escaped twice). Control characters
// that XML 1.0 cannot carry at all (below the space, except tab, line feed
// and carriage return) are dropped.
std::string XmlEscape(std::string_view text);

// The inside of a JSON string literal: the double quote and the backslash
// behind a backslash, control characters as \n, \t ... or \u00XX.
std::string JsonEscape(std::string_view text);

// A relative file path ("/" separators) as the path of a URL: every byte but
// letters, digits, "/" and the characters a URL path carries as they are
// (- . _ ~ ! $ & ' ( ) * + , ; = : @) becomes %XX. So "#", "?", "%", the
// backslash, blanks and non-ASCII bytes never change what the URL names.
std::string PercentEncodePath(std::string_view path);

}  // namespace tarvik
