// Collects the entries of a deck and writes them with the package layer's
// ZIP writer, with one fixed timestamp so that the same entries always give
// the same bytes. Hostile entries are made here: bombs and lying headers.
#include "support/deck_writer.h"

#include <zlib.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <stdexcept>

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

// zlib's lengths are z_off_t, a 32-bit long on Windows, where it declares no
// 64-bit combine: runs of 2 GB and more cannot be made there.
uLong CombineCrc(uLong first, uLong second, uint64_t secondLength) {
#ifdef _WIN32
  if (secondLength > 0x7FFFFFFFu) throw std::length_error("zero run too long for zlib on Windows");
  return crc32_combine(first, second, static_cast<z_off_t>(secondLength));
#else
  return crc32_combine64(first, second, static_cast<z_off64_t>(secondLength));
#endif
}

uint32_t ZeroCrc(uint64_t size) {
  const unsigned char zero = 0;
  uLong acc = crc32(0L, Z_NULL, 0);
  uLong power = crc32(0L, &zero, 1);
  uint64_t powerLen = 1;
  for (uint64_t n = size; n; n >>= 1) {
    if (n & 1) acc = CombineCrc(acc, power, powerLen);
    if (n > 1) power = CombineCrc(power, power, powerLen);
    powerLen *= 2;
  }
  return static_cast<uint32_t>(acc);
}

}  // namespace

TZipEntry* TDeckWriter::Find(const std::string& name) {
  for (auto& e : Entries)
    if (e.Name == name) return &e;
  return nullptr;
}

const TZipEntry* TDeckWriter::Find(const std::string& name) const {
  for (const auto& e : Entries)
    if (e.Name == name) return &e;
  return nullptr;
}

TDeckWriter& TDeckWriter::Add(const std::string& name, const std::string& bytes,
                              TStorage storage) {
  TZipEntry entry;
  entry.Name = name;
  entry.Bytes = bytes;
  entry.Method = storage;
  entry.UnixMode = 0100644;
  if (TZipEntry* old = Find(name))
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
  Find(name)->UnixMode = 0120777;
  return *this;
}

TDeckWriter& TDeckWriter::AddRawDeflate(const std::string& name, const std::string& deflateStream,
                                        uint64_t declaredSize, uint32_t crc) {
  Add(name, deflateStream);
  TZipEntry* e = Find(name);
  e->Deflated = {std::make_shared<const std::string>(deflateStream)};
  e->Size = declaredSize;
  e->Crc = crc;
  return *this;
}

TDeckWriter& TDeckWriter::AddZeroBomb(const std::string& name, uint64_t size) {
  return AddRawDeflate(name, ZeroDeflateStream(size), size, ZeroCrc(size));
}

TDeckWriter& TDeckWriter::SetUnixMode(const std::string& name, uint32_t mode) {
  if (TZipEntry* e = Find(name)) e->UnixMode = (e->UnixMode & ~07777u) | (mode & 07777u);
  return *this;
}

TDeckWriter& TDeckWriter::Remove(const std::string& name) {
  std::erase_if(Entries, [&](const TZipEntry& e) { return e.Name == name; });
  return *this;
}

bool TDeckWriter::Has(const std::string& name) const { return Find(name) != nullptr; }

std::string TDeckWriter::Bytes(const std::string& name) const {
  const TZipEntry* e = Find(name);
  return e ? e->Bytes : std::string();
}

std::vector<std::string> TDeckWriter::Names() const {
  std::vector<std::string> names;
  for (const auto& e : Entries) names.push_back(e.Name);
  return names;
}

void TDeckWriter::Write(const std::string& file) const { WriteZipArchive(file, Entries, FixedEntryTime()); }

}  // namespace tarvik::test
