// Reads an archive back through libzip, for the suites that check what a
// packager wrote: entry names in order, each entry's method and bytes.
#pragma once
#include <zip.h>

#include <string>
#include <vector>

namespace tarvik::test {

struct TZipListing {
  struct TItem {
    std::string Name;
    int Method = -1;  // ZIP_CM_STORE or ZIP_CM_DEFLATE
    std::string Bytes;
  };
  bool Opened = false;
  std::vector<TItem> Items;

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& item : Items) names.push_back(item.Name);
    return names;
  }
  const TItem* Find(const std::string& name) const {
    for (const auto& item : Items)
      if (item.Name == name) return &item;
    return nullptr;
  }
};

// Every entry with its bytes (CRCs checked by libzip); Opened false when the
// file is no archive.
inline TZipListing ListZip(const std::string& file) {
  TZipListing listing;
  int err = 0;
  zip_t* z = zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &err);
  if (!z) return listing;
  listing.Opened = true;
  for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
    auto index = static_cast<zip_uint64_t>(i);
    TZipListing::TItem item;
    item.Name = zip_get_name(z, index, ZIP_FL_ENC_RAW);
    zip_stat_t st;
    if (zip_stat_index(z, index, 0, &st) == 0) item.Method = st.comp_method;
    if (zip_file_t* f = zip_fopen_index(z, index, 0)) {
      char buf[65536];
      zip_int64_t n;
      while ((n = zip_fread(f, buf, sizeof buf)) > 0) item.Bytes.append(buf, static_cast<size_t>(n));
      if (n < 0) listing.Opened = false;
      zip_fclose(f);
    }
    listing.Items.push_back(std::move(item));
  }
  zip_discard(z);
  return listing;
}

}  // namespace tarvik::test
