// Host strings: zero-terminated ANSI text in a GlobalAlloc(GMEM_FIXED) block
// (malloc on POSIX). nullptr stands for the empty string. Text on our side is UTF-8.
#pragma once
#include <string>

namespace tarvik {

// Releases P when it is not null, then sets it to null.
void FreeHostString(char*& p);
// Releases a previous block, then stores Text converted to ANSI in a new block.
// The empty text gives a one-byte block, never null.
void AssignHostString(char*& p, const std::string& text);
// null gives ""; otherwise the bytes up to the first zero, converted from ANSI.
std::string ReadHostString(const char* p);

// Raw block allocation with the host's allocator, for hosts written in C++
// (the simulator and the CLI) that must hand us blocks we can free.
char* HostAlloc(size_t bytes);
void HostFree(char* p);

}  // namespace tarvik
