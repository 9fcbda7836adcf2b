// ZIP extraction with libzip: opens the archive, checks it against the
// limits in package.h, then writes every safe entry below a fresh folder.
#include "pptx/package.h"

#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <unordered_set>
#include <vector>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/fs_path.h"
#include "platform/ascii.h"

namespace fs = std::filesystem;

namespace tarvik {

namespace {

#ifndef _WIN32
std::string ZipErrorText(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  std::string text = zip_error_strerror(&error);
  zip_error_fini(&error);
  return text;
}
#endif

struct TZipCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using TZipArchive = std::unique_ptr<zip_t, TZipCloser>;

struct TZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using TZipFile = std::unique_ptr<zip_file_t, TZipFileCloser>;

struct TFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

// Office keeps a password-protected deck, like the old binary .ppt, in a
// compound file rather than a ZIP package; saying so tells the user what to
// do where "not a zip archive" would not.
constexpr std::string_view kCompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

[[noreturn]] void ThrowCannotOpen(const std::string& prefix, const std::string& packageFile,
                                  const std::string& reason) {
  const std::string head = ReadFileHead(packageFile, kCompoundFileSignature.size());
  if (head == kCompoundFileSignature)
    throw ETarvikError(prefix +
                       "it is a password-protected presentation or an old binary .ppt file; "
                       "remove the password or save it as .pptx in PowerPoint");
  // A package whose start is whole but whose directory at the end is not
  // was most often cut short by a download or a copy.
  if (head.rfind("PK\x03\x04", 0) == 0)
    throw ETarvikError(prefix + reason + " (the file may be incomplete: its ZIP directory cannot be read)");
  throw ETarvikError(prefix + reason);
}

TZipArchive OpenArchive(const std::string& packageFile) {
  const std::string prefix = "Cannot open the package \"" + packageFile + "\": ";
#ifdef _WIN32
  // libzip takes ANSI names on Windows; go through its wide-character source.
  std::u16string wide = Utf8ToUtf16(packageFile);
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source =
      zip_source_win32w_create(reinterpret_cast<const wchar_t*>(wide.c_str()), 0, -1, &error);
  zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
  if (!archive) {
    if (source) zip_source_free(source);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    ThrowCannotOpen(prefix, packageFile, text);
  }
  zip_error_fini(&error);
  return TZipArchive(archive);
#else
  int code = 0;
  zip_t* archive = zip_open(packageFile.c_str(), ZIP_RDONLY, &code);
  if (!archive) ThrowCannotOpen(prefix, packageFile, ZipErrorText(code));
  return TZipArchive(archive);
#endif
}

TFile CreateOutputFile(const std::string& path) {
#ifdef _WIN32
  std::u16string wide = Utf8ToUtf16(path);
  std::FILE* file = _wfopen(reinterpret_cast<const wchar_t*>(wide.c_str()), L"wb");
#else
  std::FILE* file = std::fopen(path.c_str(), "wb");
#endif
  if (!file) throw ETarvikError("Cannot create file \"" + path + "\": " + std::strerror(errno));
  return TFile(file);
}

bool IsWindowsDeviceName(const std::string& segment) {
  const std::string stem = UpperAscii(segment.substr(0, segment.find('.')));
  static const char* const kNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* name : kNames)
    if (stem == name) return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '0' && stem[3] <= '9';
}

bool IsSafeSegment(const std::string& segment) {
  if (segment == "..") return false;
  for (unsigned char c : segment)
    if (c < 0x20 || c == 0x7F || std::strchr("<>:\"|?*", c)) return false;
  if (segment.back() == '.' || segment.back() == ' ') return false;
  return !IsWindowsDeviceName(segment);
}

struct TEntry {
  zip_uint64_t Index = 0;
  std::string RelativePath;
  bool IsFolder = false;
  bool HasSize = false;
  zip_uint64_t Size = 0;
};

bool IsSymlinkEntry(zip_t* archive, zip_uint64_t index) {
  zip_uint8_t opsys = 0;
  zip_uint32_t attributes = 0;
  if (zip_file_get_external_attributes(archive, index, 0, &opsys, &attributes) != 0) return false;
  // Unix keeps st_mode in the high 16 bits; S_IFLNK is 0120000.
  return opsys == ZIP_OPSYS_UNIX && ((attributes >> 16) & 0170000) == 0120000;
}

std::string MiB(uint64_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

void CheckPackageTotal(uint64_t total, uint64_t archiveBytes, const std::string& packageFile) {
  if (total > kMaxPackageBytes ||
      (total > kRatioCheckedPackageBytes && total / kMaxPackageRatio > archiveBytes))
    throw ETarvikError("The package \"" + packageFile + "\" expands to " + MiB(total) + " from " +
                       MiB(archiveBytes) + " (limits: " + MiB(kMaxPackageBytes) + ", or " +
                       std::to_string(kMaxPackageRatio) + " times the archive above " +
                       MiB(kRatioCheckedPackageBytes) + "): refused as a decompression bomb");
}

// Lists the entries to write and refuses the archive when its stated sizes
// break a limit.
std::vector<TEntry> PlanEntries(zip_t* archive, const std::string& packageFile, uint64_t archiveBytes) {
  const std::string quoted = "\"" + packageFile + "\"";
  zip_int64_t count = zip_get_num_entries(archive, 0);
  if (count < 0) count = 0;
  if (static_cast<uint64_t>(count) > kMaxPackageEntries)
    throw ETarvikError("The package " + quoted + " holds " + std::to_string(count) +
                       " entries, more than the limit of " + std::to_string(kMaxPackageEntries));
  std::vector<TEntry> entries;
  uint64_t total = 0;
  for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
    const char* rawName = zip_get_name(archive, i, ZIP_FL_ENC_GUESS);
    if (!rawName) continue;  // a deleted entry
    std::string name = rawName;
    TEntry entry;
    entry.Index = i;
    if (name.empty() || !SafeEntryPath(name, entry.RelativePath) || IsSymlinkEntry(archive, i)) continue;
    if (entry.RelativePath.empty()) continue;
    entry.IsFolder = name.back() == '/' || name.back() == '\\';
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (!entry.IsFolder && zip_stat_index(archive, i, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) {
      entry.HasSize = true;
      entry.Size = stat.size;
      uint64_t compressed = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
      if (stat.size > kRatioCheckedEntryBytes && stat.size / kMaxEntryRatio > compressed)
        throw ETarvikError("The entry \"" + name + "\" of the package " + quoted + " expands to " +
                           MiB(stat.size) + ", more than " + std::to_string(kMaxEntryRatio) +
                           " times its compressed size: refused as a decompression bomb");
      total += stat.size;
      if (total > kMaxPackageBytes)
        throw ETarvikError("The package " + quoted + " expands to more than " + MiB(kMaxPackageBytes) +
                           ": refused as a decompression bomb");
    }
    entries.push_back(std::move(entry));
  }
  CheckPackageTotal(total, archiveBytes, packageFile);
  return entries;
}

// Creates a folder below the extraction folder, replacing any link found in
// its way so that nothing is written through one.
void MakeFolder(const std::string& path, std::unordered_set<std::string>& made) {
  if (made.count(path)) return;
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(ToFs(path), ec))) fs::remove(ToFs(path), ec);
  if (!ForceDirectories(path)) {
    fs::create_directories(ToFs(path), ec);
    throw ETarvikError("Cannot create folder \"" + path + "\": " +
                       (ec ? ec.message() : std::string("it is in the way of a file")));
  }
  made.insert(path);
}

}  // namespace

bool SafeEntryPath(const std::string& entryName, std::string& relativePath) {
  relativePath.clear();
  // Well-formed UTF-8 only: Windows cannot turn anything else into a file name.
  if (entryName.empty() || entryName[0] == '/' || entryName[0] == '\\' || !IsValidUtf8(entryName)) return false;
  size_t start = 0;
  while (start <= entryName.size()) {
    size_t end = entryName.find_first_of("/\\", start);
    if (end == std::string::npos) end = entryName.size();
    std::string segment = entryName.substr(start, end - start);
    start = end + 1;
    if (segment.empty() || segment == ".") continue;
    if (!IsSafeSegment(segment)) return false;
    if (!relativePath.empty()) relativePath += kPathSep;
    relativePath += segment;
  }
  return true;
}

std::string ExtractionFolderFor(const std::string& packageFile, const std::string& root) {
  std::string name = RemoveExtension(ExtractFileName(packageFile)) + "_extracted";
  if (root.empty()) return name;
  std::string folder = root;
  if (folder.back() != kPathSep && folder.back() != '/') folder += kPathSep;
  return folder + name;
}

std::string ExtractPackage(const std::string& packageFile, const std::string& root,
                           uint64_t* extractedBytes) {
  TZipArchive archive = OpenArchive(packageFile);
  int64_t archiveSize = FileSize(packageFile);
  const uint64_t archiveBytes = archiveSize > 0 ? static_cast<uint64_t>(archiveSize) : 0;
  std::vector<TEntry> entries = PlanEntries(archive.get(), packageFile, archiveBytes);

  std::string folder = ExtractionFolderFor(packageFile, root);
  DeleteTree(folder);
  if (!ForceDirectories(folder)) {
    std::error_code ec;
    fs::create_directories(ToFs(folder), ec);
    throw ETarvikError("Cannot create folder \"" + folder + "\": " +
                       (ec ? ec.message() : std::string("a file is in the way")));
  }

  std::unordered_set<std::string> made{folder};
  std::vector<char> buffer(256 * 1024);
  uint64_t total = 0;
  for (const TEntry& entry : entries) {
    std::string path = JoinPath(folder, entry.RelativePath);
    if (entry.IsFolder) {
      MakeFolder(path, made);
      continue;
    }
    MakeFolder(ExtractFileDir(path), made);
    const char* name = zip_get_name(archive.get(), entry.Index, ZIP_FL_ENC_GUESS);
    const std::string entryName = name ? name : entry.RelativePath;
    TZipFile source(zip_fopen_index(archive.get(), entry.Index, 0));
    if (!source)
      throw ETarvikError("Cannot read \"" + entryName + "\" from the package \"" + packageFile +
                         "\": " + zip_strerror(archive.get()));
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(ToFs(path), ec))) fs::remove(ToFs(path), ec);
    TFile target = CreateOutputFile(path);
    uint64_t written = 0;
    for (;;) {
      zip_int64_t got = zip_fread(source.get(), buffer.data(), buffer.size());
      if (got < 0)
        throw ETarvikError("Cannot read \"" + entryName + "\" from the package \"" + packageFile +
                           "\": " + zip_file_strerror(source.get()));
      if (got == 0) break;
      written += static_cast<uint64_t>(got);
      total += static_cast<uint64_t>(got);
      if (entry.HasSize && written > entry.Size)
        throw ETarvikError("The entry \"" + entryName + "\" of the package \"" + packageFile +
                           "\" holds more data than the archive states");
      CheckPackageTotal(total, archiveBytes, packageFile);
      if (std::fwrite(buffer.data(), 1, static_cast<size_t>(got), target.get()) != static_cast<size_t>(got))
        throw ETarvikError("Cannot write file \"" + path + "\": " + std::strerror(errno));
    }
    if (std::fclose(target.release()) != 0)
      throw ETarvikError("Cannot write file \"" + path + "\": " + std::strerror(errno));
  }
  if (extractedBytes) *extractedBytes = total;
  return folder;
}

}  // namespace tarvik
