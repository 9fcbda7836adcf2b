// Whole-file text writes through a temporary file and a rename.
#include "package/text_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"

namespace fs = std::filesystem;

namespace tarvik {

namespace {

constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

fs::path ToFs(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

}  // namespace

void WriteTextFileReplacing(const std::string& path, std::string_view text, bool withBom) {
  std::string partial = JoinPath(ExtractFileDir(ExpandFileName(path)),
                                 "." + ExtractFileName(path) + "." + NewGuidHex() + ".part");
  {
    std::ofstream out(ToFs(partial), std::ios::binary | std::ios::trunc);
    if (!out) throw ETarvikError("Cannot create file \"" + path + "\".");
    if (withBom) out.write(kUtf8Bom, 3);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(ToFs(partial), ignored);
      throw ETarvikError("Cannot write file \"" + path + "\".");
    }
  }
  std::error_code ec;
  fs::rename(ToFs(partial), ToFs(path), ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(ToFs(partial), ignored);
    throw ETarvikError("Cannot write file \"" + path + "\": " + ec.message());
  }
}

void WriteUtf8File(const std::string& path, std::string_view text) { WriteTextFileReplacing(path, text, false); }

}  // namespace tarvik
