// The rich text of a text object: one text shape of the model in, one RTF
// document out, on a single line and pure ASCII apart from font names.
// Also the host's colour values, which the publication source shares.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "pptx/model.h"

namespace tarvik {

// The host's colour value of a TColor: clNone gives 16777215 (white), a system
// colour its current RGB value, anything else its low 24 bits (0x00BBGGRR).
int32_t PubColor(TColor color);

// The font table (distinct names, first spelling kept, compared without
// regard to case; "Arial" for a run without a name) and the colour table
// (distinct PubColor values, 0 for a run without its own colour), in order of
// first appearance. A shape without runs gives {"Arial"} and {0}.
void CollectRtfTables(const TPPTXShape& shape, std::vector<std::string>& fonts,
                      std::vector<int32_t>& colors);

// Escapes UTF-8 Text for RTF one UTF-16 code unit at a time: LF -> "\line ",
// CR dropped, \ { } escaped, units from 128 as "\uN?" with N signed 16-bit
// (and "{}" after such an escape when a plain character follows).
std::string RtfEscape(const std::string& text);

// "\qc" for 1, "\qr" for 2, "\qj" for 3, "\ql" for everything else.
std::string RtfAlignCode(int32_t alignment);

// The RTF document of a text shape.
std::string BuildTextRtf(const TPPTXShape& shape);

// Text for a value that must stay on its line of the publication source:
// CR and LF removed.
std::string SingleLine(const std::string& text);

}  // namespace tarvik
