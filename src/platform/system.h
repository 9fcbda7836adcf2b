// Small operating-system services behind one interface with a POSIX and a
// Win32 side: environment, temporary folders, GUIDs, ticks, shell open.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace tarvik {

// The value of an environment variable; "" when unset.
std::string GetEnvVar(const std::string& name);
bool HasEnvVar(const std::string& name);
void SetEnvVar(const std::string& name, const std::string& value);
void UnsetEnvVar(const std::string& name);

// The user's temporary folder, long form, without a trailing separator.
std::string UserTempFolder();

// A work folder below TEMP: TEMP, a separator unless it ends in one, then
// Name. Without TEMP the user's temporary folder stands in for it, never the
// root of the drive.
std::string TempWorkFolder(const std::string& name);

// A new GUID as 32 upper-case hex digits, and in the 8-4-4-4-12 form.
std::string NewGuidHex();
std::string NewGuidDashed();
// The 8-4-4-4-12 form of a GUID given as its 32 hex digits.
std::string DashGuidHex(const std::string& hex);
// Formats 16 raw GUID bytes the way Windows prints a GUID (Data1..3 little endian).
std::string FormatGuidHex(const unsigned char bytes[16]);

// The decimal separator of the user's locale: on Windows the user's number
// format, on POSIX the LC_NUMERIC of the environment (LC_ALL, LC_NUMERIC,
// LANG). "." when the locale cannot be read.
std::string UserDecimalSeparator();

// Milliseconds since an arbitrary start, wrapping like GetTickCount.
uint32_t TickCountMs();

// The local wall clock, as a date field shows it: month 1 to 12, weekday 0
// (Sunday) to 6. Year 0 when the clock cannot be read.
struct TLocalTime {
  int Year = 0, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0, Weekday = 0;
};
TLocalTime LocalTimeNow();

// Opens a file with its associated application. Goes through a replaceable
// opener so that tests and the CLI never launch anything unless asked.
// Returns true when the open was started.
using ShellOpener = std::function<bool(const std::string& path)>;
bool ShellOpenFile(const std::string& path);
// Installs an opener and returns the previous one; an empty opener restores the system's.
ShellOpener SetShellOpener(ShellOpener opener);
// The platform's own opener (ShellExecuteW "open"; xdg-open without waiting).
bool SystemShellOpen(const std::string& path);

}  // namespace tarvik
