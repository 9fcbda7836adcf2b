// Routing of nbExecAction to the action handlers, the failure guard every
// handler runs inside, and the helpers handlers share.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tarvik {

namespace ui {
class TDialogs;
}
class THostParams;

// A handler gets the action's parameters already read from the host strings.
using TActionHandler = bool (*)(const std::vector<std::string>& params);
// An edit handler shows the action's dialogs and writes the parameters back.
using TEditHandler = bool (*)(ui::TDialogs& dialogs, THostParams& params);

// Runs action index (1 to 12) with the host's parameter array, which holds
// at least as many strings as the action declares. Indexes outside that
// range return false and touch nothing.
bool ExecAction(int32_t index, char** params);
// The same for the property dialogs, on the build's dialogs; the handler
// replaces entries of the array. False for a null array.
bool EditAction(int32_t index, char** params);

// Inside a catch block: puts the message of a failure with one into
// "[LastError]", "Out of memory." or "Unexpected internal error." for any
// other, and gives false.
bool ReportCurrentException() noexcept;

// Runs body so that no exception leaves it: what it raises is reported as
// ReportCurrentException says, and the result is false. Takes the callable
// as it is, so that guarding allocates nothing.
template <class TBody>
bool GuardExport(TBody&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return ReportCurrentException();
  }
}

// Sets "[LastError]" to message and gives false: the way a handler fails.
bool ReportFailure(const std::string& message);

// Whole 32-bit integer with optional leading blanks and sign, decimal or hex
// after "$", "x" or "0x"; anything else gives fallback.
int32_t StrToIntDef(const std::string& text, int32_t fallback);

// TempWorkFolder("Tarvik_Cache"), created on demand.
std::string GetCacheFolder();

}  // namespace tarvik
