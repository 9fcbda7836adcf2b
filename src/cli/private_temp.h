// Each run of tarvik works in a TEMP of its own below the system temporary
// folder, so parallel runs never share the plug-in's work folders.
#pragma once
#include <string>

namespace tarvik {

class TPrivateTemp {
 public:
  explicit TPrivateTemp(bool keep);
  ~TPrivateTemp();
  TPrivateTemp(const TPrivateTemp&) = delete;
  TPrivateTemp& operator=(const TPrivateTemp&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  bool keep_;
};

// A folder of one command's own below the run's TEMP, for a deck to unpack
// into; removed when the command ends, however it ends.
class TExtractionRoot {
 public:
  TExtractionRoot();
  ~TExtractionRoot();
  TExtractionRoot(const TExtractionRoot&) = delete;
  TExtractionRoot& operator=(const TExtractionRoot&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace tarvik
