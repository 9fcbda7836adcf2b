// The twelve actions as the host registers them: names, hints, parameter kinds.
#pragma once
#include <cstdint>

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
};

// Row I-1 describes action index I.
extern const TActionInfo kActions[kActionCount];

extern const char* const PluginTitle;
extern const char* const PluginPublisher;
extern const char* const PluginHint;

}  // namespace tarvik
