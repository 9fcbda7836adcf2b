// Windows metafiles (EMF and WMF) turned into pictures that browsers draw:
// SVG through Debian's libemf2svg and libwmf on Linux, a PNG played through
// GDI on Windows. Browsers draw neither format, and older decks keep much
// of their clip art and diagrams in them.
#pragma once
#include <string>
#include <string_view>

namespace tarvik {

enum class TMetafileKind { None, Emf, Wmf };

// The kind of metafile from its first bytes (44 are enough): an EMF by its
// header record and signature, a WMF by its placeable or plain header.
TMetafileKind MetafileKindOf(std::string_view head);

// Writes the picture of the metafile File to Target + ".svg" or ".png" and
// returns that path; "" when this build has no converter, or the metafile
// cannot be read or drawn (nothing is left at the target then).
std::string ConvertMetafile(const std::string& file, TMetafileKind kind, const std::string& target);

}  // namespace tarvik
