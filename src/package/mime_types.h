// The one table between file extensions and MIME types, read both ways:
// embedding a file names its type, and moving an embedded file back out
// names the file after its type.
#pragma once
#include <string>
#include <string_view>

namespace tarvik {

// MIME type from the extension of the file name (not of a folder), letter
// case ignored; "application/octet-stream" for anything unknown or no extension.
std::string MimeTypeForFile(std::string_view fileName);

// ".png", ".jpg", ... for a MIME type (letter case ignored): the first
// extension the table lists for it; ".bin" for anything unknown.
std::string ExtensionForMimeType(std::string_view mimeType);

// The type of a PNG, JPEG, GIF or WebP picture from its first bytes (12 are
// enough); "" for anything else. Decks name pictures by extension, and not
// always truly.
std::string SniffPictureType(std::string_view head);

}  // namespace tarvik
