// Colour values that name a Windows system colour (the top byte 0xFF, the
// colour index in the low byte, as the host's TColor writes them) resolved
// to the RGB value the user's system shows. Windows asks GetSysColor; POSIX
// has no such table, so it answers with Windows' default scheme.
#pragma once
#include <cstdint>

namespace tarvik {

// True when Color has a negative 32-bit value, which is how system colours
// are written (clBtnFace is 0xFF00000F).
inline bool IsSystemColor(int32_t color) { return color < 0; }

// The 0x00BBGGRR value of system colour Index (COLOR_SCROLLBAR = 0 ...
// COLOR_MENUBAR = 30); 0 (black) for an index the system does not know.
int32_t SystemColorRGB(int32_t index);

// A system colour resolved to its current RGB value; every other value is
// returned unchanged.
int32_t ResolveSystemColor(int32_t color);

}  // namespace tarvik
