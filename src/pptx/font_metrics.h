// How wide text is and how tall its lines are in the free fonts that slides
// are drawn in (Liberation for Arial, Times New Roman and Courier New, Carlito
// and Caladea for Calibri and Cambria, DejaVu for the rest), from advance
// tables generated out of those fonts. The reader uses it where it must lay
// text out itself: rows of a table grow to hold it.
#pragma once
#include <string>
#include <string_view>

namespace tarvik {

// The width of utf8 in ems of the family (a deck's font name, theme
// references already resolved), bold or not. Characters outside the tables
// count at the width of the fallback font's, or of an average letter; East
// Asian ideographs and kana a full em. Malformed bytes count as one letter.
double TextWidthEm(std::string_view family, bool bold, std::string_view utf8);

// A single line's height in ems: the family's ascent plus descent, or the
// fallback font's where it is taller and draws characters of utf8 that the
// family lacks (Hebrew in Arial is drawn in DejaVu Sans).
double LineHeightEm(std::string_view family, bool bold, std::string_view utf8 = {});

}  // namespace tarvik
