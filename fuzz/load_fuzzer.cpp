// libFuzzer target: the input is a whole .pptx file. It is written to a
// scratch file and loaded; the reader may refuse it with ETarvikError, and
// must not crash, leak, hang or raise anything else.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_scratch.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvik;
  static const std::string file = JoinPath(fuzz::ScratchFolder(), "input.pptx");
  WriteFileBytes(file, std::string(reinterpret_cast<const char*>(data), size));
  fuzz::LoadAndDiscard(file);
  return 0;
}
