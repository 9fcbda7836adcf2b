// Parts of the system services that both platform sides share.
#include <cstdio>
#include <mutex>

#include "platform/system.h"

#include "platform/files.h"

namespace tarvik {

namespace {
std::mutex& OpenerMutex() {
  static std::mutex m;
  return m;
}
ShellOpener& CurrentOpener() {
  static ShellOpener opener;
  return opener;
}
}  // namespace

std::string FormatGuidHex(const unsigned char b[16]) {
  // Data1, Data2 and Data3 are little-endian integers; Windows prints them as numbers.
  static const int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  char text[33];
  for (int i = 0; i < 16; ++i) std::snprintf(text + 2 * i, 3, "%02X", b[order[i]]);
  return std::string(text, 32);
}

std::string TempWorkFolder(const std::string& name) {
  std::string temp = GetEnvVar("TEMP");
  if (temp.empty()) temp = UserTempFolder();
  if (temp.back() != kPathSep) temp += kPathSep;
  return temp + name;
}

std::string DashGuidHex(const std::string& h) {
  return h.substr(0, 8) + "-" + h.substr(8, 4) + "-" + h.substr(12, 4) + "-" + h.substr(16, 4) +
         "-" + h.substr(20);
}

std::string NewGuidDashed() { return DashGuidHex(NewGuidHex()); }

ShellOpener SetShellOpener(ShellOpener opener) {
  std::lock_guard<std::mutex> lock(OpenerMutex());
  ShellOpener previous = CurrentOpener();
  CurrentOpener() = std::move(opener);
  return previous;
}

bool ShellOpenFile(const std::string& path) {
  ShellOpener opener;
  {
    std::lock_guard<std::mutex> lock(OpenerMutex());
    opener = CurrentOpener();
  }
  return opener ? opener(path) : SystemShellOpen(path);
}

}  // namespace tarvik
