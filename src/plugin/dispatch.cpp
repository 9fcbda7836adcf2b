#include "plugin/dispatch.h"

#include <cstdint>
#include <exception>
#include <new>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/host_string.h"
#include "platform/system.h"
#include "ui/dialogs.h"
#include "plugin/action_table.h"
#include "plugin/edit_actions.h"
#include "plugin/module_state.h"

namespace tarvik {

namespace {

std::vector<std::string> ReadParams(int32_t index, char** params) {
  int32_t count = kActions[index - 1].ParamCount;
  std::vector<std::string> values(static_cast<size_t>(count));
  if (params == nullptr) return values;
  for (int32_t i = 0; i < count; ++i) values[static_cast<size_t>(i)] = ReadHostString(params[i]);
  return values;
}

bool NotAvailable(int32_t index) {
  return ReportFailure(std::string(kActions[index - 1].Name) + " is not available in this build.");
}

}  // namespace

bool ReportFailure(const std::string& message) {
  SetHostVariable("[LastError]", message);
  return false;
}

bool ReportCurrentException() noexcept {
  // Unwinding into the host's frames would end the host's process, so every
  // failure stops here, and so does a failure to report it.
  try {
    throw;
  } catch (const ETarvikError& e) {
    try {
      return ReportFailure(e.what());
    } catch (...) {
    }
  } catch (const std::bad_alloc&) {
    try {
      return ReportFailure("Out of memory.");
    } catch (...) {
    }
  } catch (...) {
    try {
      return ReportFailure("Unexpected internal error.");
    } catch (...) {
    }
  }
  return false;
}

bool ExecAction(int32_t index, char** params) {
  if (index < 1 || index > kActionCount) return false;
  TActionHandler handler = kActions[index - 1].Handler;
  if (handler == nullptr) return NotAvailable(index);
  // Every handler runs inside the failure guard, whoever calls it.
  return GuardExport([&] { return handler(ReadParams(index, params)); });
}

bool EditAction(int32_t index, char** params) {
  if (index < 1 || index > kActionCount) return false;
  const TActionInfo& row = kActions[index - 1];
  if (row.Edit == nullptr || params == nullptr) return false;
  return GuardExport([&] {
    THostParams hostParams(params, row.ParamCount);
    return row.Edit(ui::DefaultDialogs(), hostParams);
  });
}

int32_t StrToIntDef(const std::string& text, int32_t fallback) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= text.size()) return fallback;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return fallback;
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFull) return fallback;
  }
  if (hex) {
    // Eight hex digits cover the whole 32 bits, as two's complement.
    auto bits = static_cast<uint32_t>(value);
    auto result = static_cast<int32_t>(bits);
    return negative ? static_cast<int32_t>(0u - bits) : result;
  }
  if (negative) {
    if (value > 2147483648ull) return fallback;
    return static_cast<int32_t>(-static_cast<int64_t>(value));
  }
  if (value > 2147483647ull) return fallback;
  return static_cast<int32_t>(value);
}

std::string GetCacheFolder() {
  std::string folder = TempWorkFolder("Tarvik_Cache");
  if (!DirectoryExists(folder)) ForceDirectories(folder);
  return folder;
}

}  // namespace tarvik
