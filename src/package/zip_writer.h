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

// An entry's raw deflate stream made while the archive is written, so that
// it is never held whole. Next appends the next stretch of it to Out, and
// returns false once the stream has ended (Out then untouched). Size is the
// length of the text it inflates to: as expected before the first stretch,
// as made once the stream has ended, when Crc is also that text's CRC-32.
// Next may raise; the archive then fails with that exception.
class TDeflateSource {
 public:
  virtual ~TDeflateSource() = default;
  virtual bool Next(std::string& out) = 0;
  virtual uint64_t Size() const = 0;
  virtual uint32_t Crc() const = 0;
};

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
  // Else, when set, the stream made as the archive is written.
  std::shared_ptr<TDeflateSource> Source;
  // Unix file type and permission bits for the external attributes (for
  // example 0100644); 0 leaves libzip's own.
  uint32_t UnixMode = 0;
};

// Writes the entries to Path as a new archive: a file already at Path is
// deleted first (a folder there is refused). Every entry gets EntryTime as
// its modification time, or, when it is 0, the time of its content. An
// archive without entries is the bare end record. Raises ETarvikError naming
// Path and the entry that failed, or what a TDeflateSource raised; then no
// file is left at Path.
void WriteZipArchive(const std::string& path, const std::vector<TZipEntry>& entries,
                     std::time_t entryTime = 0);

}  // namespace tarvik
