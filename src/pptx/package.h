// Unpacks a .pptx (a ZIP archive) into a fresh folder of its own, from which
// the rest of the reader reads parts as ordinary files.
//
// Hostile archives are contained:
// - An entry name is split at "/" and "\" alike. Entries whose names are
//   absolute, carry a drive or stream colon, a ".." segment, a control
//   character or one of <>"|?*, a segment ending in "." or " ", or a Windows
//   device name (CON, NUL, COM1 ...) are skipped: nothing is written for them.
//   "." and empty segments are dropped. Such names never occur in a package
//   written by an Office application.
// - Symbolic-link entries are skipped; the extractor only ever creates plain
//   files and folders, and never writes through a link it finds in the way.
// - Decompression bombs are refused before anything is written, from the
//   sizes the archive states, and again while inflating, from the bytes that
//   actually come out (an entry may not yield more than it states):
//     more than kMaxPackageEntries entries;
//     more than kMaxPackageBytes in all;
//     an entry above kRatioCheckedEntryBytes that inflates more than
//       kMaxEntryRatio times its compressed size;
//     a package above kRatioCheckedPackageBytes in all that inflates more
//       than kMaxPackageRatio times the size of the archive file.
//   Real decks stay far below: their XML deflates about 5 to 20 times and
//   their media (already compressed) about once; a 100-fold ratio over
//   hundreds of megabytes only comes from a bomb.
#pragma once
#include <cstdint>
#include <string>

namespace tarvik {

inline constexpr uint64_t kMaxPackageEntries = 100000;
inline constexpr uint64_t kMaxPackageBytes = 4ull << 30;           // 4 GiB
inline constexpr uint64_t kRatioCheckedEntryBytes = 64ull << 20;   // 64 MiB
inline constexpr uint64_t kMaxEntryRatio = 100;
inline constexpr uint64_t kRatioCheckedPackageBytes = 256ull << 20;  // 256 MiB
inline constexpr uint64_t kMaxPackageRatio = 100;

// <root>/<package base name without its last extension>_extracted; the name
// alone when root is empty.
std::string ExtractionFolderFor(const std::string& packageFile, const std::string& root);

// Deletes and recreates the extraction folder and unpacks every entry into it,
// keeping relative paths. Returns the folder; extractedBytes (when given)
// receives the number of bytes written. Raises ETarvikError with the archive
// reader's or the file system's message, or the limit that was exceeded. The
// archive is opened and checked before the old folder is touched.
std::string ExtractPackage(const std::string& packageFile, const std::string& root,
                           uint64_t* extractedBytes = nullptr);

// The entry name as a relative native path below the extraction folder, or
// false when the entry must not be written (see above). A name that leaves
// nothing after dropping "." and empty segments yields true with "".
bool SafeEntryPath(const std::string& entryName, std::string& relativePath);

}  // namespace tarvik
