// ZIP writing with libzip, into a file of our own making: a temporary file
// beside the archive, renamed on close, so a failure leaves nothing at the
// path.
#include "package/zip_writer.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/fs_path.h"
#include "platform/system.h"

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

// A libzip source writing a TDeflateSource's stream as libzip asks for it.
// libzip takes the CRC and the sizes from the last ZIP_SOURCE_STAT, after
// the data; an exception of the source waits in Failure until libzip has
// given up, since it must not pass through libzip's C frames.
struct TStreamedSource {
  TDeflateSource* Source = nullptr;
  std::exception_ptr* Failure = nullptr;
  std::string Buffer;
  size_t Pos = 0;
  bool Ended = false;
  zip_error_t Error{};
};

zip_int64_t StreamedCallback(void* state, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* s = static_cast<TStreamedSource*>(state);
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      return 0;
    case ZIP_SOURCE_READ: {
      auto* out = static_cast<char*>(data);
      zip_uint64_t done = 0;
      try {
        while (done < len) {
          if (s->Pos == s->Buffer.size()) {
            if (s->Ended) break;
            s->Buffer.clear();
            s->Pos = 0;
            if (!s->Source->Next(s->Buffer)) s->Ended = true;
            continue;
          }
          size_t n = static_cast<size_t>(std::min<zip_uint64_t>(len - done, s->Buffer.size() - s->Pos));
          std::memcpy(out + done, s->Buffer.data() + s->Pos, n);
          done += n;
          s->Pos += n;
        }
      } catch (...) {
        *s->Failure = std::current_exception();
        zip_error_set(&s->Error, ZIP_ER_INTERNAL, 0);
        return -1;
      }
      return static_cast<zip_int64_t>(done);
    }
    case ZIP_SOURCE_CLOSE:
      return 0;
    case ZIP_SOURCE_STAT: {
      auto* st = static_cast<zip_stat_t*>(data);
      zip_stat_init(st);
      st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
      st->size = s->Source->Size();
      st->comp_method = ZIP_CM_DEFLATE;
      st->encryption_method = ZIP_EM_NONE;
      if (s->Ended) {
        st->valid |= ZIP_STAT_CRC;
        st->crc = s->Source->Crc();
      }
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

// The archive's own file, as libzip writes it: through a temporary file
// beside Path that replaces Path on commit, in large writes (libzip's file
// source hands every 8 KiB to stdio, which writes a page at a time).
struct TArchiveTarget {
  std::string Path, Partial;
  std::ofstream Out;
  std::string Buffer;     // bytes from BufferStart on, not yet written
  uint64_t BufferStart = 0;
  bool Committed = false;
  zip_error_t Error{};

  static constexpr size_t kBuffer = 1 << 20;

  bool Flush() {
    if (!Buffer.empty()) Out.write(Buffer.data(), static_cast<std::streamsize>(Buffer.size()));
    BufferStart += Buffer.size();
    Buffer.clear();
    return static_cast<bool>(Out);
  }
  zip_int64_t Failed(int code) {
    zip_error_set(&Error, code, errno);
    return -1;
  }
  void Discard() {
    if (Out.is_open()) Out.close();
    std::error_code ignored;
    if (!Partial.empty()) fs::remove(ToFs(Partial), ignored);
  }
};

zip_int64_t ArchiveCallback(void* state, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* t = static_cast<TArchiveTarget*>(state);
  switch (cmd) {
    case ZIP_SOURCE_STAT:
      // Always a new archive: libzip takes this for "no such file".
      zip_error_set(&t->Error, ZIP_ER_READ, ENOENT);
      return -1;
    case ZIP_SOURCE_BEGIN_WRITE:
      t->Partial = JoinPath(ExtractFileDir(ExpandFileName(t->Path)),
                            "." + ExtractFileName(t->Path) + "." + NewGuidHex() + ".part");
      t->Out.open(ToFs(t->Partial), std::ios::binary | std::ios::trunc);
      if (!t->Out) return t->Failed(ZIP_ER_TMPOPEN);
      t->Buffer.reserve(TArchiveTarget::kBuffer);
      t->BufferStart = 0;
      return 0;
    case ZIP_SOURCE_WRITE: {
      const auto* bytes = static_cast<const char*>(data);
      if (t->Buffer.size() + len > TArchiveTarget::kBuffer && !t->Flush()) return t->Failed(ZIP_ER_WRITE);
      if (len >= TArchiveTarget::kBuffer) {
        t->Out.write(bytes, static_cast<std::streamsize>(len));
        t->BufferStart += len;
        if (!t->Out) return t->Failed(ZIP_ER_WRITE);
      } else {
        t->Buffer.append(bytes, static_cast<size_t>(len));
      }
      return static_cast<zip_int64_t>(len);
    }
    case ZIP_SOURCE_TELL_WRITE:
      return static_cast<zip_int64_t>(t->BufferStart + t->Buffer.size());
    case ZIP_SOURCE_SEEK_WRITE: {
      if (!t->Flush()) return t->Failed(ZIP_ER_WRITE);
      t->Out.seekp(0, std::ios::end);
      const auto size = static_cast<zip_uint64_t>(static_cast<std::streamoff>(t->Out.tellp()));
      const zip_int64_t to = zip_source_seek_compute_offset(t->BufferStart, size, data, len, &t->Error);
      if (to < 0) return -1;
      t->Out.seekp(static_cast<std::streamoff>(to), std::ios::beg);
      if (!t->Out) return t->Failed(ZIP_ER_SEEK);
      t->BufferStart = static_cast<uint64_t>(to);
      return 0;
    }
    case ZIP_SOURCE_COMMIT_WRITE: {
      if (!t->Flush()) return t->Failed(ZIP_ER_WRITE);
      t->Out.close();
      if (!t->Out) return t->Failed(ZIP_ER_WRITE);
      std::error_code ec;
      fs::rename(ToFs(t->Partial), ToFs(t->Path), ec);
      if (ec) {
        zip_error_set(&t->Error, ZIP_ER_RENAME, ec.value());
        return -1;
      }
      t->Committed = true;
      return 0;
    }
    case ZIP_SOURCE_ROLLBACK_WRITE:
      t->Discard();
      return 0;
    case ZIP_SOURCE_REMOVE: {
      std::error_code ignored;
      fs::remove(ToFs(t->Path), ignored);
      return 0;
    }
    case ZIP_SOURCE_OPEN:
    case ZIP_SOURCE_READ:
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_SEEK:
    case ZIP_SOURCE_TELL:
      // Never read: the archive is new.
      zip_error_set(&t->Error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&t->Error, data, len);
    case ZIP_SOURCE_FREE:
      if (!t->Committed) t->Discard();
      zip_error_fini(&t->Error);
      delete t;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(
          ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL, ZIP_SOURCE_STAT,
          ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_WRITE, ZIP_SOURCE_COMMIT_WRITE,
          ZIP_SOURCE_ROLLBACK_WRITE, ZIP_SOURCE_SEEK_WRITE, ZIP_SOURCE_TELL_WRITE, ZIP_SOURCE_REMOVE, -1);
    default:
      zip_error_set(&t->Error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

zip_t* CreateArchive(const std::string& path) {
  zip_error_t error;
  zip_error_init(&error);
  auto* target = new TArchiveTarget;
  target->Path = path;
  zip_error_init(&target->Error);
  zip_source_t* source = zip_source_function_create(ArchiveCallback, target, &error);
  if (!source) {
    zip_error_fini(&target->Error);
    delete target;
  }
  zip_t* archive = source ? zip_open_from_source(source, ZIP_CREATE | ZIP_EXCL, &error) : nullptr;
  if (!archive && source) zip_source_free(source);
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

zip_source_t* EntrySource(zip_t* archive, const TZipEntry& entry, std::exception_ptr& failure) {
  if (!entry.SourceFile.empty()) return FileSource(archive, entry.SourceFile);
  if (entry.Deflated.empty() && entry.Source) {
    auto* state = new TStreamedSource;
    state->Source = entry.Source.get();
    state->Failure = &failure;
    zip_error_init(&state->Error);
    zip_source_t* source = zip_source_function(archive, StreamedCallback, state);
    if (!source) {
      zip_error_fini(&state->Error);
      delete state;
    }
    return source;
  }
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
  std::exception_ptr failure;
  auto abandon = [&](const std::string& what) {
    std::string message = what + ": " + zip_strerror(archive);
    zip_discard(archive);
    if (failure) std::rethrow_exception(failure);
    Fail(path, message);
  };
  for (const auto& entry : entries) {
    zip_source_t* source = EntrySource(archive, entry, failure);
    if (!source) abandon(entry.Name);
    zip_int64_t added = zip_file_add(archive, entry.Name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (added < 0) {
      zip_source_free(source);
      abandon(entry.Name);
    }
    auto index = static_cast<zip_uint64_t>(added);
    if (entry.Deflated.empty() && !entry.Source) {
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
