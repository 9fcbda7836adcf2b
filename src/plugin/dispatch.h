// Routing of nbExecAction to the action handlers, the failure guard every
// handler runs inside, and the helpers handlers share.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvik {

// A handler gets the action's parameters already read from the host strings.
using TActionHandler = bool (*)(const std::vector<std::string>& params);

// Runs action Index (1 to 12) with the host's parameter array. Indexes
// outside that range return false and touch nothing.
bool ExecAction(int32_t index, char** params);
// The same for the property dialogs.
bool EditAction(int32_t index, char** params);

// Runs Body so that no exception leaves it: a failure with a message goes to
// "[LastError]" and gives false; anything else reports "Unexpected internal error.".
bool GuardExport(const std::function<bool()>& body);

// Sets "[LastError]" to Message and gives false: the way a handler fails.
bool ReportFailure(const std::string& message);

// Whole 32-bit integer with optional leading blanks and sign, decimal or hex
// after "$", "x" or "0x"; anything else gives Default.
int32_t StrToIntDef(const std::string& text, int32_t fallback);

// TempWorkFolder("Tarvik_Cache"), created on demand.
std::string GetCacheFolder();

}  // namespace tarvik
