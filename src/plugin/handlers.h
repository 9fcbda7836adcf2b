// The table from action index to handler. An action whose handler has not
// landed yet has none and reports itself unavailable.
#pragma once
#include <cstdint>

#include "plugin/dispatch.h"

namespace tarvik {

// The handler of action Index (1 to 12), or null.
TActionHandler ActionHandler(int32_t index);

}  // namespace tarvik
