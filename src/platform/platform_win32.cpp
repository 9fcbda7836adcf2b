// The Win32 side of the platform layer: host-string blocks from GlobalAlloc,
// the system ANSI code page (CP_ACP) through UTF-16, the wide environment,
// the temporary folder in long form, CoCreateGuid, GetTickCount and
// ShellExecuteW. Takes and gives UTF-8 like the POSIX side.
#ifdef _WIN32

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <vector>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/host_string.h"
#include "platform/system.h"

namespace tarvik {

char* HostAlloc(size_t bytes) {
  // GMEM_FIXED: the handle is the address, and the host frees it with GlobalFree.
  return static_cast<char*>(GlobalAlloc(GMEM_FIXED, bytes));
}

void HostFree(char* p) {
  if (p != nullptr) GlobalFree(p);
}

namespace {

std::wstring Wide(const std::string& utf8) {
  std::u16string u16 = Utf8ToUtf16(utf8);
  return std::wstring(u16.begin(), u16.end());
}

std::string Narrow(const wchar_t* wide, size_t length) {
  return Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(wide), length));
}

bool IsAscii(const std::string& s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Code pages whose characters are at most two bytes cannot hold anything
// beyond the Basic Multilingual Plane. A surrogate pair there would come out
// as two replacement characters; one character should give one "?".
bool NeedsPairCollapse(UINT codePage) {
  CPINFO info{};
  if (!GetCPInfo(codePage, &info)) return true;
  return info.MaxCharSize <= 2;
}

void CollapseSurrogatePairs(std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      out.push_back(static_cast<wchar_t>(0xFFFD));  // no ANSI code page has it: becomes "?"
      ++i;
    } else {
      out.push_back(c);
    }
  }
  text.swap(out);
}

}  // namespace

// ---- code page ----------------------------------------------------------

// Windows has a system ANSI code page, so TARVIK_CODEPAGE (a POSIX stand-in)
// is not read here: host strings must be in the code page the host uses.
std::string AnsiCodePageName() { return "CP" + std::to_string(GetACP()); }

std::string Utf8ToAnsi(const std::string& utf8) {
  if (IsAscii(utf8)) return utf8;
  std::wstring wide = Wide(utf8);
  UINT codePage = GetACP();
  if (NeedsPairCollapse(codePage)) CollapseSurrogatePairs(wide);
  // No best fit: "é" must not quietly turn into "e" in a code page that lacks
  // it; the replacement character shows that something was lost.
  DWORD flags = WC_NO_BEST_FIT_CHARS;
  const char* replacement = "?";
  if (codePage == CP_UTF8 || codePage == 54936) {
    flags = 0;  // these code pages refuse both the flag and a default character
    replacement = nullptr;
  }
  int length = static_cast<int>(wide.size());
  int needed = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, replacement,
                                   nullptr);
  if (needed <= 0 && replacement != nullptr) {
    flags = 0;
    replacement = nullptr;
    needed = WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  }
  if (needed <= 0) return std::string();
  std::string out(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), length, out.data(), needed, replacement,
                      nullptr);
  return out;
}

std::string AnsiToUtf8(const std::string& ansi) {
  if (IsAscii(ansi)) return ansi;
  int length = static_cast<int>(ansi.size());
  int needed = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  if (needed <= 0) return std::string();
  std::vector<wchar_t> wide(static_cast<size_t>(needed));
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), needed);
  return Narrow(wide.data(), wide.size());
}

// ---- environment and folders --------------------------------------------

namespace {

// The value and whether the variable exists at all (a variable may be empty).
bool ReadEnv(const std::string& name, std::string* value) {
  std::wstring wideName = Wide(name);
  std::vector<wchar_t> buffer(256);
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    DWORD n = GetEnvironmentVariableW(wideName.c_str(), buffer.data(),
                                      static_cast<DWORD>(buffer.size()));
    if (n == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
      if (value) value->clear();
      return true;
    }
    if (n < buffer.size()) {
      if (value) *value = Narrow(buffer.data(), n);
      return true;
    }
    buffer.resize(n);  // n counts the terminating zero when the buffer was too small
  }
}

}  // namespace

std::string GetEnvVar(const std::string& name) {
  std::string value;
  ReadEnv(name, &value);
  return value;
}

bool HasEnvVar(const std::string& name) { return ReadEnv(name, nullptr); }

// The process environment and the C runtime's copy are separate on Windows;
// both change so that child processes and getenv() callers agree with us.
// The runtime goes first: it passes its change on to the process environment,
// and it cannot hold an empty variable ("" removes it), which the process
// environment then gets back.
void SetEnvVar(const std::string& name, const std::string& value) {
  std::wstring wideName = Wide(name);
  std::wstring wideValue = Wide(value);
  _wputenv_s(wideName.c_str(), wideValue.c_str());
  SetEnvironmentVariableW(wideName.c_str(), wideValue.c_str());
}

void UnsetEnvVar(const std::string& name) {
  std::wstring wideName = Wide(name);
  _wputenv_s(wideName.c_str(), L"");
  SetEnvironmentVariableW(wideName.c_str(), nullptr);
}

std::string UserTempFolder() {
  std::vector<wchar_t> shortPath(MAX_PATH + 1);
  DWORD n = GetTempPathW(static_cast<DWORD>(shortPath.size()), shortPath.data());
  if (n > shortPath.size()) {  // TMP or TEMP longer than MAX_PATH: n is the size it needs
    shortPath.resize(n + 1);
    n = GetTempPathW(static_cast<DWORD>(shortPath.size()), shortPath.data());
  }
  std::wstring path;
  if (n > 0 && n < shortPath.size()) {
    path.assign(shortPath.data(), n);
    // The long form, so that names built on it match what the user sees
    // (C:\Users\RUNNER~1 would otherwise leak into output and messages).
    DWORD m = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (m > 0) {
      std::vector<wchar_t> longPath(m);
      DWORD k = GetLongPathNameW(path.c_str(), longPath.data(), m);
      if (k > 0 && k < m) path.assign(longPath.data(), k);
    }
  } else {
    wchar_t windows[MAX_PATH + 1];
    UINT w = GetWindowsDirectoryW(windows, MAX_PATH + 1);
    path = (w > 0 && w <= MAX_PATH) ? std::wstring(windows, w) + L"\\Temp" : L"C:\\Windows\\Temp";
  }
  // No trailing separator, except on a drive root where "C:" would mean the
  // drive's current folder instead.
  while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/') &&
         !(path.size() == 3 && path[1] == L':'))
    path.pop_back();
  return Narrow(path.data(), path.size());
}

// ---- GUIDs and ticks ----------------------------------------------------

std::string NewGuidHex() {
  GUID guid{};
  unsigned char bytes[16];
  static_assert(sizeof guid == sizeof bytes, "a GUID is 16 bytes");
  if (SUCCEEDED(CoCreateGuid(&guid))) {
    std::memcpy(bytes, &guid, sizeof bytes);
  } else {
    // CoCreateGuid does not fail in practice; never hand out a zero GUID if it does.
    static std::mutex m;
    static std::mt19937 rng{std::random_device{}()};
    std::lock_guard<std::mutex> lock(m);
    for (auto& b : bytes) b = static_cast<unsigned char>(rng());
    bytes[7] = static_cast<unsigned char>((bytes[7] & 0x0F) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);
  }
  return FormatGuidHex(bytes);
}

uint32_t TickCountMs() { return GetTickCount(); }

TLocalTime LocalTimeNow() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wDayOfWeek};
}

std::string UserDecimalSeparator() {
  wchar_t buffer[8] = {};
  int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
  if (n <= 1) return ".";
  return Narrow(buffer, static_cast<size_t>(n - 1));
}

// ---- shell open ---------------------------------------------------------

bool SystemShellOpen(const std::string& path) {
  std::wstring widePath = Wide(path);
  // The opened program starts in the file's own folder, so that relative
  // names inside it (a publication's media folder) resolve.
  std::wstring wideFolder = Wide(ExtractFileDir(path));
  HINSTANCE result = ShellExecuteW(nullptr, L"open", widePath.c_str(), nullptr,
                                   wideFolder.empty() ? nullptr : wideFolder.c_str(), SW_SHOWNORMAL);
  // Values above 32 mean success; the rest are error codes.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace tarvik

#endif  // _WIN32
