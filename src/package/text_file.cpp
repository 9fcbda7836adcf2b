// Whole-file text writes through a temporary file and a rename.
#include "package/text_file.h"

#include "platform/files.h"

namespace tarvik {

void WriteTextFileReplacing(const std::string& path, std::string_view text, bool withBom) {
  WriteFileReplacing(path, {withBom ? std::string_view("\xEF\xBB\xBF") : std::string_view(), text});
}

void WriteUtf8File(const std::string& path, std::string_view text) { WriteTextFileReplacing(path, text, false); }

}  // namespace tarvik
