// The viewers attached to host objects. The registry owns them until they are
// detached, replaced, or freed all at once when the host says goodbye.
#pragma once

namespace tarvik {

// Frees every attached viewer and the list; a second call finds nothing to do.
void FreeAllViewers();

}  // namespace tarvik
