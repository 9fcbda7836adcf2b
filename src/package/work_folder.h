// A packager's staging folder below the temporary folder, named with a new
// GUID so that exports never share one, and gone when the export ends,
// whether it succeeded or not.
#pragma once
#include <string>

namespace tarvik {

class TWorkFolder {
 public:
  // Creates TEMP/<Prefix><32 hex digits of a new GUID> with its parents;
  // raises ETarvikError when it cannot.
  explicit TWorkFolder(const std::string& prefix);
  // Deletes the folder with everything in it; errors are ignored.
  ~TWorkFolder();
  TWorkFolder(const TWorkFolder&) = delete;
  TWorkFolder& operator=(const TWorkFolder&) = delete;

  const std::string& Path() const { return FPath; }
  // The GUID in the name, as 32 upper-case hex digits.
  const std::string& GuidHex() const { return FGuidHex; }

 private:
  std::string FGuidHex;
  std::string FPath;
};

}  // namespace tarvik
