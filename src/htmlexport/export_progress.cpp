// Writes slide progress to the socket named by TARVIK_PROGRESS_FD (POSIX only).
#include "htmlexport/export_progress.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <sys/socket.h>
#endif

#include "platform/system.h"

namespace tarvik {

void ReportSlideProgress(int done, int total) {
#ifndef _WIN32
  std::string value = GetEnvVar(kProgressFdVariable);
  if (value.empty()) return;
  char* end = nullptr;
  long fd = std::strtol(value.c_str(), &end, 10);
  if (end == value.c_str() || *end != '\0' || fd < 0 || fd > 65535) return;
  char line[32];
  int length = std::snprintf(line, sizeof line, "%d %d\n", done, total);
  if (length <= 0) return;
  // send, not write: on anything but a socket it fails harmlessly, and
  // MSG_NOSIGNAL keeps a vanished reader from killing the host process.
  (void)::send(static_cast<int>(fd), line, static_cast<size_t>(length), MSG_NOSIGNAL | MSG_DONTWAIT);
#else
  (void)done;
  (void)total;
#endif
}

}  // namespace tarvik
