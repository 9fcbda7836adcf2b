#include "plugin/viewer_registry.h"

namespace tarvik {

void FreeAllViewers() {
  // No viewer can be attached in this build yet, so there is nothing to free.
}

}  // namespace tarvik
