// The POSIX side of the platform layer.
#ifndef _WIN32

#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <thread>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/host_string.h"
#include "platform/system.h"

extern char** environ;

namespace tarvik {

char* HostAlloc(size_t bytes) { return static_cast<char*>(std::malloc(bytes)); }
void HostFree(char* p) { std::free(p); }

// ---- code page ----------------------------------------------------------

std::string AnsiCodePageName() {
  std::string name = GetEnvVar("TARVIK_CODEPAGE");
  if (name.empty()) return "CP1252";
  bool digits = name.find_first_not_of("0123456789") == std::string::npos;
  return digits ? "CP" + name : name;
}

namespace {

// Converts with iconv one character at a time where needed, so that a
// character the target lacks becomes one replacement instead of an error.
std::string Convert(const std::string& input, const std::string& from, const std::string& to,
                    const std::string& replacement, bool fromUtf8) {
  if (input.empty()) return std::string();
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // An unknown code page name: fall back to the default rather than lose text.
    if (from != "UTF-8" && from != "CP1252") return Convert(input, "CP1252", to, replacement, fromUtf8);
    if (to != "UTF-8" && to != "CP1252") return Convert(input, from, "CP1252", replacement, fromUtf8);
    return input;
  }
  std::string out;
  out.reserve(input.size() * (fromUtf8 ? 1 : 2));
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: skip one source character and write the replacement.
      size_t skip = 1;
      if (fromUtf8) {
        auto c = static_cast<unsigned char>(*in);
        skip = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (skip > inLeft) skip = inLeft;
        for (size_t k = 1; k < skip; ++k)
          if ((static_cast<unsigned char>(in[k]) & 0xC0) != 0x80) {
            skip = k;
            break;
          }
      }
      in += skip;
      inLeft -= skip;
      out += replacement;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  char* outPtr = buffer;
  size_t outLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
  out.append(buffer, static_cast<size_t>(outPtr - buffer));
  iconv_close(cd);
  return out;
}

bool IsAscii(const std::string& s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

std::string Utf8ToAnsi(const std::string& utf8) {
  if (IsAscii(utf8)) return utf8;
  return Convert(utf8, "UTF-8", AnsiCodePageName(), "?", true);
}

std::string AnsiToUtf8(const std::string& ansi) {
  if (IsAscii(ansi)) return ansi;
  // Bytes the code page leaves undefined come back as U+FFFD.
  return Convert(ansi, AnsiCodePageName(), "UTF-8", "\xEF\xBF\xBD", false);
}

// ---- environment and folders --------------------------------------------

std::string GetEnvVar(const std::string& name) {
  const char* v = std::getenv(name.c_str());
  return v ? std::string(v) : std::string();
}

bool HasEnvVar(const std::string& name) { return std::getenv(name.c_str()) != nullptr; }

void SetEnvVar(const std::string& name, const std::string& value) {
  setenv(name.c_str(), value.c_str(), 1);
}

void UnsetEnvVar(const std::string& name) { unsetenv(name.c_str()); }

std::string UserTempFolder() {
  for (const char* var : {"TMPDIR", "TMP", "TEMP"}) {
    std::string v = GetEnvVar(var);
    while (v.size() > 1 && v.back() == '/') v.pop_back();
    if (!v.empty() && DirectoryExists(v)) return v;
  }
  return "/tmp";
}

// ---- GUIDs and ticks ----------------------------------------------------

std::string NewGuidHex() {
  unsigned char bytes[16];
  bool filled = false;
  int fd = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    filled = read(fd, bytes, sizeof bytes) == static_cast<ssize_t>(sizeof bytes);
    close(fd);
  }
  if (!filled) {
    static std::mutex m;
    static std::mt19937_64 rng{std::random_device{}()};
    std::lock_guard<std::mutex> lock(m);
    for (auto& b : bytes) b = static_cast<unsigned char>(rng());
  }
  // A version 4 GUID, as CoCreateGuid makes: Data3's top nibble is 4.
  bytes[7] = static_cast<unsigned char>((bytes[7] & 0x0F) | 0x40);
  bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);
  return FormatGuidHex(bytes);
}

uint32_t TickCountMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  uint64_t ms = static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

TLocalTime LocalTimeNow() {
  const time_t now = time(nullptr);
  tm local{};
  if (now == static_cast<time_t>(-1) || !localtime_r(&now, &local)) return {};
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
          local.tm_wday};
}

// ---- locale -------------------------------------------------------------

namespace {
std::string ReadDecimalSeparator() {
  locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (loc == static_cast<locale_t>(nullptr)) return ".";
  const char* radix = nl_langinfo_l(RADIXCHAR, loc);
  std::string result = radix != nullptr && *radix != '\0' ? radix : ".";
  freelocale(loc);
  return result;
}
}  // namespace

std::string UserDecimalSeparator() {
  // Reading the locale files is slow next to formatting one number; the answer
  // only changes with the environment.
  static std::mutex mutex;
  static std::string cachedKey = "\x01";
  static std::string cached;
  std::string key = GetEnvVar("LC_ALL") + '\n' + GetEnvVar("LC_NUMERIC") + '\n' + GetEnvVar("LANG") + '\n' +
                    GetEnvVar("LOCPATH");
  std::lock_guard<std::mutex> lock(mutex);
  if (key != cachedKey) {
    cached = ReadDecimalSeparator();
    cachedKey = key;
  }
  return cached;
}

// ---- shell open ---------------------------------------------------------

namespace {

// The opener's exit status is of no interest, but it must not stay behind
// as a zombie of the host process.
void ReapWhenDone(pid_t child) {
  std::thread([child] {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

}  // namespace

bool SystemShellOpen(const std::string& path) {
  // posix_spawnp rather than fork and exec: the host process may be large and
  // run threads. A name that starts with "-" would reach xdg-open as an option.
  const std::string argument = path.starts_with("-") ? "./" + path : path;
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  for (int fd : {0, 1, 2})
    posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
  char opener[] = "xdg-open";
  char* argv[] = {opener, const_cast<char*>(argument.c_str()), nullptr};
  pid_t child = 0;
  const int failed = posix_spawnp(&child, opener, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return false;
  ReapWhenDone(child);
  return true;
}

}  // namespace tarvik

#endif  // !_WIN32
