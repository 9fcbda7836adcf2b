#include "platform/host_string.h"

#include <cstring>

#include "platform/codepage.h"

namespace tarvik {

void FreeHostString(char*& p) {
  if (p != nullptr) HostFree(p);
  p = nullptr;
}

void AssignHostString(char*& p, const std::string& text) {
  FreeHostString(p);
  std::string ansi = Utf8ToAnsi(text);
  char* block = HostAlloc(ansi.size() + 1);
  if (block == nullptr) return;  // out of memory: leave the variable empty, write nothing
  if (!ansi.empty()) std::memcpy(block, ansi.data(), ansi.size());
  block[ansi.size()] = '\0';
  p = block;
}

std::string ReadHostString(const char* p) {
  if (p == nullptr) return std::string();
  return AnsiToUtf8(std::string(p));
}

}  // namespace tarvik
