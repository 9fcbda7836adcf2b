// ZIP archives, written with libzip the one way every package of this system
// is written: always a new file, the entries in the order given, each stored
// or deflated as asked, and the central directory written before anyone
// looks at the result.
#pragma once
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace tarvik {

enum class TZipMethod { Deflated, Stored };

struct TZipEntry {
  // The name in the archive, written as given: packagers pass "/" separators.
  std::string Name;
  // The content is this file's when set, else Bytes.
  std::string SourceFile;
  std::string Bytes;
  TZipMethod Method = TZipMethod::Deflated;
  // An entry deflated beforehand: these chunks, one after the other, are its
  // raw deflate stream, copied unchanged, and the header states Size and Crc
  // for it, true or not. Chunks may be shared between entries.
  std::vector<std::shared_ptr<const std::string>> Deflated;
  uint64_t Size = 0;
  uint32_t Crc = 0;
  // Unix file type and permission bits for the external attributes (for
  // example 0100644); 0 leaves libzip's own.
  uint32_t UnixMode = 0;
};

// Writes the entries to Path as a new archive: a file already at Path is
// deleted first (a folder there is refused). Every entry gets EntryTime as
// its modification time, or, when it is 0, the time of its content. An
// archive without entries is the bare end record. Raises ETarvikError naming
// Path and the entry that failed; then no file is left at Path.
void WriteZipArchive(const std::string& path, const std::vector<TZipEntry>& entries,
                     std::time_t entryTime = 0);

}  // namespace tarvik
