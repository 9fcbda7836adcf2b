// ZIP writing with libzip. libzip writes into a temporary file beside the
// archive and renames it on close, so a failure leaves nothing at the path.
#include "package/zip_writer.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/fs_path.h"

namespace fs = std::filesystem;

namespace tarvik {

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
  throw ETarvikError("Cannot write the archive " + path + ": " + what);
}

std::string ErrorText(zip_error_t* error) {
  std::string text = zip_error_strerror(error);
  zip_error_fini(error);
  return text;
}

// A libzip source handing over an already deflated stream, chunk after
// chunk, together with the sizes and CRC its header must state; libzip
// copies such data unchanged.
struct TPreDeflatedSource {
  const TZipEntry* Entry = nullptr;
  size_t Chunk = 0;
  size_t Pos = 0;
  zip_error_t Error{};
};

zip_int64_t PreDeflatedCallback(void* state, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* s = static_cast<TPreDeflatedSource*>(state);
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      s->Chunk = 0;
      s->Pos = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      const auto& chunks = s->Entry->Deflated;
      auto* out = static_cast<char*>(data);
      zip_uint64_t done = 0;
      while (done < len && s->Chunk < chunks.size()) {
        const std::string& chunk = *chunks[s->Chunk];
        size_t n = static_cast<size_t>(std::min<zip_uint64_t>(len - done, chunk.size() - s->Pos));
        std::memcpy(out + done, chunk.data() + s->Pos, n);
        done += n;
        s->Pos += n;
        if (s->Pos == chunk.size()) {
          ++s->Chunk;
          s->Pos = 0;
        }
      }
      return static_cast<zip_int64_t>(done);
    }
    case ZIP_SOURCE_CLOSE:
      return 0;
    case ZIP_SOURCE_STAT: {
      auto* st = static_cast<zip_stat_t*>(data);
      zip_stat_init(st);
      st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC |
                  ZIP_STAT_ENCRYPTION_METHOD;
      st->size = s->Entry->Size;
      st->comp_size = 0;
      for (const auto& chunk : s->Entry->Deflated) st->comp_size += chunk->size();
      st->comp_method = ZIP_CM_DEFLATE;
      st->encryption_method = ZIP_EM_NONE;
      st->crc = s->Entry->Crc;
      return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&s->Error, data, len);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&s->Error);
      delete s;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                            ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
      zip_error_set(&s->Error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

zip_t* CreateArchive(const std::string& path) {
  zip_error_t error;
  zip_error_init(&error);
#ifdef _WIN32
  // libzip takes ANSI names on Windows; go through its wide-character source.
  std::u16string wide = Utf8ToUtf16(path);
  zip_source_t* source =
      zip_source_win32w_create(reinterpret_cast<const wchar_t*>(wide.c_str()), 0, -1, &error);
  zip_t* archive = source ? zip_open_from_source(source, ZIP_CREATE | ZIP_EXCL, &error) : nullptr;
  if (!archive && source) zip_source_free(source);
#else
  int code = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_EXCL, &code);
  if (!archive) zip_error_init_with_code(&error, code);
#endif
  if (!archive) Fail(path, ErrorText(&error));
  zip_error_fini(&error);
  return archive;
}

zip_source_t* FileSource(zip_t* archive, const std::string& file) {
#ifdef _WIN32
  std::u16string wide = Utf8ToUtf16(file);
  return zip_source_win32w(archive, reinterpret_cast<const wchar_t*>(wide.c_str()), 0, -1);
#else
  return zip_source_file(archive, file.c_str(), 0, -1);
#endif
}

zip_source_t* EntrySource(zip_t* archive, const TZipEntry& entry) {
  if (!entry.SourceFile.empty()) return FileSource(archive, entry.SourceFile);
  if (entry.Deflated.empty()) return zip_source_buffer(archive, entry.Bytes.data(), entry.Bytes.size(), 0);
  auto* state = new TPreDeflatedSource;
  state->Entry = &entry;
  zip_error_init(&state->Error);
  zip_source_t* source = zip_source_function(archive, PreDeflatedCallback, state);
  if (!source) {
    zip_error_fini(&state->Error);
    delete state;
  }
  return source;
}

}  // namespace

void WriteZipArchive(const std::string& path, const std::vector<TZipEntry>& entries, std::time_t entryTime) {
  std::error_code ec;
  fs::file_status status = fs::symlink_status(ToFs(path), ec);
  if (fs::is_directory(status)) Fail(path, "a folder of that name exists");
  if (fs::exists(status) && !fs::remove(ToFs(path), ec)) Fail(path, "the existing file cannot be deleted");

  if (entries.empty()) {
    // libzip removes an archive left without entries; write the bare end record.
    WriteFileBytes(path, std::string("PK\x05\x06", 4) + std::string(18, '\0'));
    return;
  }
  zip_t* archive = CreateArchive(path);
  auto abandon = [&](const std::string& what) {
    std::string message = what + ": " + zip_strerror(archive);
    zip_discard(archive);
    Fail(path, message);
  };
  for (const auto& entry : entries) {
    zip_source_t* source = EntrySource(archive, entry);
    if (!source) abandon(entry.Name);
    zip_int64_t added = zip_file_add(archive, entry.Name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (added < 0) {
      zip_source_free(source);
      abandon(entry.Name);
    }
    auto index = static_cast<zip_uint64_t>(added);
    if (entry.Deflated.empty()) {
      zip_int32_t method = entry.Method == TZipMethod::Stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
      if (zip_set_file_compression(archive, index, method, 0) < 0) abandon(entry.Name);
    }
    if (entryTime != 0 && zip_file_set_mtime(archive, index, entryTime, 0) < 0) abandon(entry.Name);
    if (entry.UnixMode != 0 &&
        zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX, entry.UnixMode << 16) < 0)
      abandon(entry.Name);
  }
  if (zip_close(archive) < 0) abandon("closing the archive");
}

}  // namespace tarvik
