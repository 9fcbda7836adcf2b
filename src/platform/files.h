// File and path helpers. Paths are UTF-8 with the native separator.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace tarvik {

#ifdef _WIN32
inline constexpr char kPathSep = '\\';
#else
inline constexpr char kPathSep = '/';
#endif

// True when Name holds nothing but characters up to the space (code 32):
// no name at all, however it is padded.
bool IsBlank(const std::string& name);
// True when the path names an existing file or folder; links are followed.
bool PathExists(const std::string& path);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder and its missing parents; false when it could not.
bool ForceDirectories(const std::string& path);
// Deletes a folder tree, clearing read-only bits first; errors are ignored.
void DeleteTree(const std::string& path);
// Joins with exactly one separator; an absolute second path is taken alone.
std::string JoinPath(const std::string& a, const std::string& b);
bool IsAbsolutePath(const std::string& path);
// The file name without folder; the folder without trailing separator.
std::string ExtractFileName(const std::string& path);
std::string ExtractFileDir(const std::string& path);
// Removes the last extension of the file name (report.final.pptx -> report.final).
std::string RemoveExtension(const std::string& path);
// Reads/writes a whole file; raise ETarvikError with the system's message on
// failure. A file larger than a string can hold (2 GiB and more on a 32-bit
// build) raises std::bad_alloc, the "Out of memory." of the actions, and is
// never read cut short.
std::string ReadFileBytes(const std::string& path);
// Up to count bytes from the start of the file; "" when it cannot be read.
std::string ReadFileHead(const std::string& path, size_t count);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Writes the pieces in order to a temporary file beside Path, which then
// replaces Path: a failed write leaves an earlier file of that name as it
// was, and never a half-written one. Raises ETarvikError.
void WriteFileReplacing(const std::string& path, std::initializer_list<std::string_view> pieces);
// Where output goes as it is produced, piece by piece.
class TByteSink {
 public:
  virtual void Write(std::string_view bytes) = 0;

 protected:
  ~TByteSink() = default;
};

// A sink that appends to a string.
class TStringSink final : public TByteSink {
 public:
  explicit TStringSink(std::string& out) : FOut(out) {}
  void Write(std::string_view bytes) override { FOut.append(bytes); }

 private:
  std::string& FOut;
};

// A file written as it is produced, through a temporary file beside Path
// that replaces Path on Commit. Until then, and whenever a step fails, an
// earlier file of that name stays as it was; the temporary file goes when
// the object does, unless committed. Small writes are gathered into large
// ones. Raises ETarvikError naming Path.
class TReplacingFile final : public TByteSink {
 public:
  explicit TReplacingFile(const std::string& path);
  ~TReplacingFile();
  TReplacingFile(const TReplacingFile&) = delete;
  TReplacingFile& operator=(const TReplacingFile&) = delete;

  void Write(std::string_view bytes) override;
  void Commit();

 private:
  struct TState;
  std::unique_ptr<TState> FState;
};

// A file read a block at a time. Offsets and sizes are 64-bit on every
// build: a file of 4 GiB or more is read to its end on a 32-bit one too.
class TFileReader {
 public:
  // Raises ETarvikError when the file cannot be opened.
  explicit TFileReader(const std::string& path);
  ~TFileReader();
  TFileReader(const TFileReader&) = delete;
  TFileReader& operator=(const TFileReader&) = delete;

  // Up to Count bytes into Buffer: fewer only at the end of the file, 0
  // there. Raises ETarvikError when reading fails.
  size_t Read(char* buffer, size_t count);

 private:
  struct TState;
  std::unique_ptr<TState> FState;
};

// True when both files can be read and hold the same bytes.
bool SameFileContent(const std::string& a, const std::string& b);

// Size in bytes, or -1 when it cannot be read.
int64_t FileSize(const std::string& path);
// Path made absolute against the current folder (no links resolved).
std::string ExpandFileName(const std::string& path);
// True when both names lead to the same existing file.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace tarvik
