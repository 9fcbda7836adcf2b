// Writes the entries collected by TDeckWriter into a ZIP file with libzip,
// with one fixed timestamp so that the same entries always give the same bytes.
#include "support/deck_writer.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <memory>

#include "platform/error.h"
#include "platform/files.h"

namespace tarvik::test {

namespace {

// libzip turns a time_t into DOS date fields through localtime, so the
// instant is chosen in local time: the fields, and thus the bytes, are the
// same in every time zone.
time_t FixedEntryTime() {
  std::tm tm{};
  tm.tm_year = 2020 - 1900;
  tm.tm_mon = 0;
  tm.tm_mday = 1;
  tm.tm_hour = 12;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

// A libzip source handing over an already deflated stream together with the
// sizes and CRC its header must state; libzip copies such data unchanged.
struct TRawDeflateSource {
  const std::string* Data = nullptr;
  uint64_t Pos = 0;
  uint64_t DeclaredSize = 0;
  uint32_t Crc = 0;
  zip_error_t Error{};
};

zip_int64_t RawDeflateCallback(void* state, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* s = static_cast<TRawDeflateSource*>(state);
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      s->Pos = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      uint64_t n = std::min<uint64_t>(len, s->Data->size() - s->Pos);
      std::memcpy(data, s->Data->data() + s->Pos, n);
      s->Pos += n;
      return static_cast<zip_int64_t>(n);
    }
    case ZIP_SOURCE_CLOSE:
      return 0;
    case ZIP_SOURCE_STAT: {
      auto* st = static_cast<zip_stat_t*>(data);
      zip_stat_init(st);
      st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC |
                  ZIP_STAT_ENCRYPTION_METHOD;
      st->size = s->DeclaredSize;
      st->comp_size = s->Data->size();
      st->comp_method = ZIP_CM_DEFLATE;
      st->encryption_method = ZIP_EM_NONE;
      st->crc = s->Crc;
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

// Deflate's fixed Huffman codes are stored most significant bit first inside
// a stream that is otherwise filled least significant bit first.
class TBitWriter {
 public:
  void Bits(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Push((value >> i) & 1u);
  }
  void Code(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Push((code >> i) & 1u);
  }
  std::string Finish() {
    if (used_) out_.push_back(static_cast<char>(cur_));
    return std::move(out_);
  }

 private:
  void Push(uint32_t bit) {
    cur_ |= static_cast<uint8_t>(bit << used_);
    if (++used_ == 8) {
      out_.push_back(static_cast<char>(cur_));
      cur_ = 0;
      used_ = 0;
    }
  }
  std::string out_;
  uint8_t cur_ = 0;
  int used_ = 0;
};

// One fixed-Huffman block: a literal zero, then copies of 258 bytes at
// distance 1, then literal zeros for the rest.
std::string ZeroDeflateStream(uint64_t size) {
  TBitWriter w;
  w.Bits(1, 1);  // final block
  w.Bits(1, 2);  // fixed Huffman codes
  const uint32_t kLiteralZero = 0x30;  // 8 bits
  const uint32_t kLength258 = 0xC5;    // symbol 285, 8 bits, no extra bits
  uint64_t left = size;
  if (left > 0) {
    w.Code(kLiteralZero, 8);
    --left;
  }
  for (; left >= 258; left -= 258) {
    w.Code(kLength258, 8);
    w.Code(0, 5);  // distance code 0: distance 1
  }
  for (; left > 0; --left) w.Code(kLiteralZero, 8);
  w.Code(0, 7);  // end of block (symbol 256)
  return w.Finish();
}

uint32_t ZeroCrc(uint64_t size) {
  const unsigned char zero = 0;
  uLong acc = crc32(0L, Z_NULL, 0);
  uLong power = crc32(0L, &zero, 1);
  uint64_t powerLen = 1;
  for (uint64_t n = size; n; n >>= 1) {
    if (n & 1) acc = crc32_combine64(acc, power, static_cast<z_off64_t>(powerLen));
    power = crc32_combine64(power, power, static_cast<z_off64_t>(powerLen));
    powerLen *= 2;
  }
  return static_cast<uint32_t>(acc);
}

[[noreturn]] void Fail(const std::string& file, const std::string& what) {
  throw ETarvikError("Cannot write " + file + ": " + what);
}

}  // namespace

TDeckWriter::TEntry* TDeckWriter::Find(const std::string& name) {
  for (auto& e : Entries)
    if (e.Name == name) return &e;
  return nullptr;
}

const TDeckWriter::TEntry* TDeckWriter::Find(const std::string& name) const {
  for (const auto& e : Entries)
    if (e.Name == name) return &e;
  return nullptr;
}

TDeckWriter& TDeckWriter::Add(const std::string& name, const std::string& bytes,
                              TStorage storage) {
  TEntry entry;
  entry.Name = name;
  entry.Bytes = bytes;
  entry.Storage = storage;
  if (TEntry* old = Find(name))
    *old = std::move(entry);
  else
    Entries.push_back(std::move(entry));
  return *this;
}

TDeckWriter& TDeckWriter::AddFile(const std::string& name, const std::string& path,
                                  TStorage storage) {
  return Add(name, ReadFileBytes(path), storage);
}

TDeckWriter& TDeckWriter::AddSymlink(const std::string& name, const std::string& target) {
  Add(name, target, TStorage::Stored);
  TEntry* e = Find(name);
  e->Symlink = true;
  e->UnixMode = 0120777;
  return *this;
}

TDeckWriter& TDeckWriter::AddRawDeflate(const std::string& name, const std::string& deflateStream,
                                        uint64_t declaredSize, uint32_t crc) {
  Add(name, deflateStream);
  TEntry* e = Find(name);
  e->RawDeflate = true;
  e->DeclaredSize = declaredSize;
  e->Crc = crc;
  return *this;
}

TDeckWriter& TDeckWriter::AddZeroBomb(const std::string& name, uint64_t size) {
  return AddRawDeflate(name, ZeroDeflateStream(size), size, ZeroCrc(size));
}

TDeckWriter& TDeckWriter::SetUnixMode(const std::string& name, uint32_t mode) {
  if (TEntry* e = Find(name)) e->UnixMode = (e->UnixMode & ~07777u) | (mode & 07777u);
  return *this;
}

TDeckWriter& TDeckWriter::Remove(const std::string& name) {
  std::erase_if(Entries, [&](const TEntry& e) { return e.Name == name; });
  return *this;
}

bool TDeckWriter::Has(const std::string& name) const { return Find(name) != nullptr; }

std::string TDeckWriter::Bytes(const std::string& name) const {
  const TEntry* e = Find(name);
  return e ? e->Bytes : std::string();
}

std::vector<std::string> TDeckWriter::Names() const {
  std::vector<std::string> names;
  for (const auto& e : Entries) names.push_back(e.Name);
  return names;
}

void TDeckWriter::Write(const std::string& file) const {
  if (Entries.empty()) {
    // libzip removes an archive left without entries; write the bare end record.
    WriteFileBytes(file, std::string("PK\x05\x06", 4) + std::string(18, '\0'));
    return;
  }
  int err = 0;
  zip_t* za = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
  if (!za) {
    zip_error_t ze;
    zip_error_init_with_code(&ze, err);
    std::string msg = zip_error_strerror(&ze);
    zip_error_fini(&ze);
    Fail(file, msg);
  }
  auto abandon = [&](const std::string& what) {
    std::string msg = what + ": " + zip_strerror(za);
    zip_discard(za);
    Fail(file, msg);
  };
  const time_t mtime = FixedEntryTime();
  for (const auto& e : Entries) {
    zip_source_t* src = nullptr;
    if (e.RawDeflate) {
      auto* state = new TRawDeflateSource;
      state->Data = &e.Bytes;
      state->DeclaredSize = e.DeclaredSize;
      state->Crc = e.Crc;
      zip_error_init(&state->Error);
      src = zip_source_function(za, RawDeflateCallback, state);
      if (!src) {
        zip_error_fini(&state->Error);
        delete state;
      }
    } else {
      src = zip_source_buffer(za, e.Bytes.data(), e.Bytes.size(), 0);
    }
    if (!src) abandon(e.Name);
    zip_int64_t idx = zip_file_add(za, e.Name.c_str(), src, ZIP_FL_ENC_UTF_8);
    if (idx < 0) {
      zip_source_free(src);
      abandon(e.Name);
    }
    auto index = static_cast<zip_uint64_t>(idx);
    if (!e.RawDeflate) {
      zip_int32_t method = e.Storage == TStorage::Stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
      if (zip_set_file_compression(za, index, method, 0) < 0) abandon(e.Name);
    }
    if (zip_file_set_mtime(za, index, mtime, 0) < 0 ||
        zip_file_set_external_attributes(za, index, 0, ZIP_OPSYS_UNIX, e.UnixMode << 16) < 0)
      abandon(e.Name);
  }
  if (zip_close(za) < 0) abandon("closing the archive");
}

}  // namespace tarvik::test
