// Text files of the exports, written whole or not at all.
#pragma once
#include <string>
#include <string_view>

namespace tarvik {

// Writes Text to Path as UTF-8, after a byte order mark when WithBom, through
// a temporary file beside it that then replaces Path: a failed write leaves
// an earlier file of that name as it was. Raises ETarvikError.
void WriteTextFileReplacing(const std::string& path, std::string_view text, bool withBom);

// The package files' form: UTF-8 without byte order mark, creating or
// replacing Path as above.
void WriteUtf8File(const std::string& path, std::string_view text);

}  // namespace tarvik
