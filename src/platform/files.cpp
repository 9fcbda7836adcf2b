#include "platform/files.h"

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <system_error>

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
  std::streamoff size = in.tellg();
  if (size > 0) {
    data.resize(static_cast<size_t>(size));
    in.seekg(0, std::ios::beg);
    in.read(data.data(), size);
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

void WriteFileReplacing(const std::string& path, std::initializer_list<std::string_view> pieces) {
  const std::string partial = JoinPath(ExtractFileDir(ExpandFileName(path)),
                                       "." + ExtractFileName(path) + "." + NewGuidHex() + ".part");
  std::error_code ignored;
  {
    std::ofstream out(ToFs(partial), std::ios::binary | std::ios::trunc);
    if (!out) throw ETarvikError("Cannot create file \"" + path + "\".");
    for (std::string_view piece : pieces) out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    out.close();
    if (!out) {
      fs::remove(ToFs(partial), ignored);
      throw ETarvikError("Cannot write file \"" + path + "\".");
    }
  }
  std::error_code ec;
  fs::rename(ToFs(partial), ToFs(path), ec);
  if (ec) {
    fs::remove(ToFs(partial), ignored);
    throw ETarvikError("Cannot write file \"" + path + "\": " + ec.message());
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
