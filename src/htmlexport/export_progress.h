// Progress of a long export, slide by slide, for a command-line host that
// watches it through the watcher channel (platform/watcher.h). Every real
// host has none, and then reporting does nothing.
#pragma once

#include "platform/watcher.h"

namespace tarvik {

inline constexpr const char* kProgressFdVariable = kWatcherFdVariable;

// Sends "<done> <total>"; never blocks and never fails.
void ReportSlideProgress(int done, int total);

}  // namespace tarvik
