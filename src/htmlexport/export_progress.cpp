#include "htmlexport/export_progress.h"

#include <string>

namespace tarvik {

void ReportSlideProgress(int done, int total) {
  SendWatcherLine(std::to_string(done) + " " + std::to_string(total));
}

}  // namespace tarvik
