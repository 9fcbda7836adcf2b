#include "platform/files.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>
#include <system_error>
#include <vector>

#include "platform/error.h"
#include "platform/fs_path.h"
#include "platform/system.h"

namespace fs = std::filesystem;

namespace tarvik {

namespace {

bool IsSep(char c) { return c == '/' || c == kPathSep; }

}  // namespace

bool IsBlank(const std::string& name) {
  for (char c : name)
    if (static_cast<unsigned char>(c) > 32) return false;
  return true;
}

bool PathExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(ToFs(path), ec);
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(ToFs(path), ec);
}

bool DirectoryExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(ToFs(path), ec);
}

bool ForceDirectories(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  fs::create_directories(ToFs(path), ec);
  return DirectoryExists(path);
}

void DeleteTree(const std::string& path) {
  if (path.empty()) return;
  std::error_code ec;
  fs::path root = ToFs(path);
  if (!fs::exists(fs::symlink_status(root, ec))) return;
  // Owner write permission first, or read-only entries refuse to go.
  if (fs::is_directory(fs::symlink_status(root, ec))) {
    for (auto it = fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      std::error_code ignored;
      if (!it->is_symlink(ignored))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    ec.clear();
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
  } else {
    fs::permissions(root, fs::perms::owner_write, fs::perm_options::add, ec);
  }
  fs::remove_all(root, ec);
}

bool IsAbsolutePath(const std::string& path) {
  if (path.empty()) return false;
#ifdef _WIN32
  if (IsSep(path[0])) return true;  // rooted or UNC
  return path.size() >= 2 && path[1] == ':';
#else
  return path[0] == '/';
#endif
}

std::string JoinPath(const std::string& a, const std::string& b) {
  if (a.empty() || IsAbsolutePath(b)) return b;
  if (b.empty()) return a;
  std::string result = a;
  while (!result.empty() && IsSep(result.back())) result.pop_back();
  size_t start = 0;
  while (start < b.size() && IsSep(b[start])) ++start;
  result += kPathSep;
  result.append(b, start, std::string::npos);
  return result;
}

namespace {
size_t LastSep(const std::string& path) {
#ifdef _WIN32
  return path.find_last_of("/\\");
#else
  return path.find_last_of('/');
#endif
}
}  // namespace

std::string ExtractFileName(const std::string& path) {
  size_t pos = LastSep(path);
  return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string ExtractFileDir(const std::string& path) {
  size_t pos = LastSep(path);
  if (pos == std::string::npos) return "";
  if (pos == 0) return path.substr(0, 1);
  return path.substr(0, pos);
}

std::string RemoveExtension(const std::string& path) {
  std::string name = ExtractFileName(path);
  size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return path;
  return path.substr(0, path.size() - (name.size() - dot));
}

std::string ReadFileHead(const std::string& path, size_t count) {
  std::ifstream in(ToFs(path), std::ios::binary);
  std::string data(count, '\0');
  if (!in) return "";
  in.read(data.data(), static_cast<std::streamsize>(count));
  data.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return data;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(ToFs(path), std::ios::binary);
  if (!in) throw ETarvikError("Cannot open file \"" + path + "\".");
  std::string data;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size > 0) {
    // Compared in 64 bits: size_t would cut 4 GiB and more to what is left over.
    if (static_cast<uint64_t>(size) > static_cast<uint64_t>(data.max_size())) throw std::bad_alloc();
    data.resize(static_cast<size_t>(size));
    in.seekg(0, std::ios::beg);
    in.read(data.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size)) throw ETarvikError("Cannot read file \"" + path + "\".");
  }
  if (in.bad()) throw ETarvikError("Cannot read file \"" + path + "\".");
  return data;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(ToFs(path), std::ios::binary | std::ios::trunc);
  if (!out) throw ETarvikError("Cannot create file \"" + path + "\".");
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw ETarvikError("Cannot write file \"" + path + "\".");
}

namespace {

// Writes smaller than this are gathered; larger ones go straight through.
constexpr size_t kWriteBuffer = 1 << 20;

}  // namespace

struct TReplacingFile::TState {
  std::string Path, Partial;
  std::ofstream Out;
  std::string Buffer;
  bool Committed = false;

  [[noreturn]] void Fail() {
    throw ETarvikError("Cannot write file \"" + Path + "\".");
  }
  void Flush() {
    if (Buffer.empty()) return;
    Out.write(Buffer.data(), static_cast<std::streamsize>(Buffer.size()));
    Buffer.clear();
    if (!Out) Fail();
  }
};

TReplacingFile::TReplacingFile(const std::string& path) : FState(std::make_unique<TState>()) {
  FState->Path = path;
  FState->Partial = JoinPath(ExtractFileDir(ExpandFileName(path)),
                             "." + ExtractFileName(path) + "." + NewGuidHex() + ".part");
  FState->Out.open(ToFs(FState->Partial), std::ios::binary | std::ios::trunc);
  if (!FState->Out) throw ETarvikError("Cannot create file \"" + path + "\".");
  FState->Buffer.reserve(kWriteBuffer);
}

TReplacingFile::~TReplacingFile() {
  if (FState->Committed) return;
  FState->Out.close();
  std::error_code ignored;
  fs::remove(ToFs(FState->Partial), ignored);
}

void TReplacingFile::Write(std::string_view bytes) {
  TState& s = *FState;
  if (s.Buffer.size() + bytes.size() <= kWriteBuffer) {
    s.Buffer.append(bytes);
    return;
  }
  s.Flush();
  if (bytes.size() < kWriteBuffer) {
    s.Buffer.append(bytes);
    return;
  }
  s.Out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!s.Out) s.Fail();
}

void TReplacingFile::Commit() {
  TState& s = *FState;
  s.Flush();
  s.Out.close();
  if (!s.Out) s.Fail();
  std::error_code ec;
  fs::rename(ToFs(s.Partial), ToFs(s.Path), ec);
  if (ec) throw ETarvikError("Cannot write file \"" + s.Path + "\": " + ec.message());
  s.Committed = true;
}

void WriteFileReplacing(const std::string& path, std::initializer_list<std::string_view> pieces) {
  TReplacingFile file(path);
  for (std::string_view piece : pieces) file.Write(piece);
  file.Commit();
}

struct TFileReader::TState {
  std::string Path;
  std::ifstream In;
};

TFileReader::TFileReader(const std::string& path) : FState(std::make_unique<TState>()) {
  FState->Path = path;
  FState->In.open(ToFs(path), std::ios::binary);
  if (!FState->In) throw ETarvikError("Cannot open file \"" + path + "\".");
}

TFileReader::~TFileReader() = default;

size_t TFileReader::Read(char* buffer, size_t count) {
  std::ifstream& in = FState->In;
  size_t done = 0;
  while (done < count && in) {
    const size_t step = std::min<size_t>(count - done, static_cast<size_t>(std::numeric_limits<std::streamsize>::max()));
    in.read(buffer + done, static_cast<std::streamsize>(step));
    done += static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0));
  }
  if (in.bad()) throw ETarvikError("Cannot read file \"" + FState->Path + "\".");
  return done;
}

bool SameFileContent(const std::string& a, const std::string& b) {
  std::ifstream left(ToFs(a), std::ios::binary), right(ToFs(b), std::ios::binary);
  if (!left || !right) return false;
  std::vector<char> x(1 << 16), y(1 << 16);
  while (true) {
    left.read(x.data(), static_cast<std::streamsize>(x.size()));
    right.read(y.data(), static_cast<std::streamsize>(y.size()));
    if (left.bad() || right.bad() || left.gcount() != right.gcount()) return false;
    const auto n = static_cast<size_t>(left.gcount());
    if (std::memcmp(x.data(), y.data(), n) != 0) return false;
    if (n < x.size()) return true;
  }
}

int64_t FileSize(const std::string& path) {
  std::error_code ec;
  auto size = fs::file_size(ToFs(path), ec);
  return ec ? -1 : static_cast<int64_t>(size);
}

std::string ExpandFileName(const std::string& path) {
  std::error_code ec;
  fs::path absolute = fs::absolute(ToFs(path), ec);
  if (ec) return path;
  return FromFs(absolute.lexically_normal());
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return FileExists(a) && FileExists(b) && fs::equivalent(ToFs(a), ToFs(b), ec) && !ec;
}

}  // namespace tarvik
