// Progress of a long export, slide by slide, for whoever watches it. The
// plug-in has no channel of its own for this; a command-line host that wants
// a progress line hands the plug-in one end of a local socket by putting its
// descriptor number into the environment variable TARVIK_PROGRESS_FD. Without
// that variable (every real host) reporting does nothing.
#pragma once

namespace tarvik {

inline constexpr const char* kProgressFdVariable = "TARVIK_PROGRESS_FD";

// Sends "<done> <total>\n". Never blocks and never fails: a full or closed
// socket, or a descriptor that is no socket at all, drops the report.
void ReportSlideProgress(int done, int total);

}  // namespace tarvik
