// Hand-built model objects and scratch files for the renderer suites.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "pptx/model.h"
#include "platform/files.h"
#include "platform/system.h"

namespace tarvik::test {

// A shape whose pixel box is exactly (left, top, width, height).
inline std::unique_ptr<TPPTXShape> MakeShape(TPPTXShapeKind kind, int left, int top, int width,
                                             int height) {
  auto shape = std::make_unique<TPPTXShape>();
  shape->Kind = kind;
  shape->XEmu = int64_t{left} * 9525;
  shape->YEmu = int64_t{top} * 9525;
  shape->WEmu = int64_t{width} * 9525;
  shape->HEmu = int64_t{height} * 9525;
  return shape;
}

inline TPPTXTextRun MakeRun(const std::string& text) {
  TPPTXTextRun run;
  run.Text = text;
  return run;
}

// A folder of its own below the system temp folder, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    FPath = JoinPath(UserTempFolder(), "tarvik_renderer_" + NewGuidHex());
    if (!ForceDirectories(FPath)) ADD_FAILURE() << "cannot create " << FPath;
  }
  ~ScratchFolder() { DeleteTree(FPath); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::string path = JoinPath(FPath, name);
    WriteFileBytes(path, bytes);
    return path;
  }
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

// TEMP pointed at Folder while the object lives, so that the exports' work
// folders go there, and given back as it was afterwards.
class TempVariable {
 public:
  explicit TempVariable(const std::string& folder) : FHad(HasEnvVar("TEMP")), FOld(GetEnvVar("TEMP")) {
    SetEnvVar("TEMP", folder);
  }
  ~TempVariable() {
    if (FHad) SetEnvVar("TEMP", FOld);
    else UnsetEnvVar("TEMP");
  }
  TempVariable(const TempVariable&) = delete;
  TempVariable& operator=(const TempVariable&) = delete;

 private:
  bool FHad;
  std::string FOld;
};

}  // namespace tarvik::test
