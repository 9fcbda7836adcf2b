// The twelve actions as the host registers them: names, hints, parameter
// kinds, and what runs them. Adding an action is adding a row here.
#pragma once
#include <cstdint>

#include "plugin/dispatch.h"

namespace tarvik {

inline constexpr uint8_t ParamKindText = 1;
inline constexpr uint8_t ParamKindNumber = 3;
inline constexpr uint8_t ParamKindFile = 5;
inline constexpr uint8_t ParamKindVariable = 6;

inline constexpr int32_t kActionCount = 12;

struct TActionInfo {
  const char* Name;
  const char* Hint;
  const uint8_t* Kinds;  // shared between rows with the same kinds
  int32_t ParamCount;
  TActionHandler Handler;  // null while the action has none in this build
  const char* Command;     // the tarvik subcommand that runs it, null for none
  TEditHandler Edit;       // nbEditAction's dialogs
};

// Row I-1 describes action index I.
extern const TActionInfo kActions[kActionCount];

// The index (1 to 12) of the action that tarvik subcommand Command runs, 0 for none.
int32_t ActionIndexOfCommand(const char* command);

extern const char* const PluginTitle;
extern const char* const PluginPublisher;
extern const char* const PluginHint;

}  // namespace tarvik
