// Scratch folder and guarded load for the fuzz targets; see fuzz_scratch.h.
#include "fuzz_scratch.h"

#include <cstdlib>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pptx/loader.h"

namespace tarvik::fuzz {

namespace {

void RemoveScratch() { DeleteTree(ScratchFolder()); }

// Reads every value so that a model holding garbage (uninitialised or freed
// memory) is caught by the sanitizers here, not later in an exporter.
size_t Touch(const TPPTXPresentation& p) {
  size_t sum = p.SourceFile.size() + p.ThemeMajorFont.size() + p.ThemeMinorFont.size() +
               static_cast<size_t>(p.SlideWidthPx() ^ p.SlideHeightPx());
  for (const auto& slide : p.Slides) {
    sum += slide->SourceFileName.size() + static_cast<size_t>(slide->BackgroundColor);
    for (const auto& s : slide->Shapes) {
      sum += s->PlainText().size() + s->Name.size() + s->GroupPath.size() + s->MediaFile.size() +
             s->PosterImage.size() + static_cast<size_t>(s->Kind) +
             static_cast<size_t>(s->GeometryKind);
      sum += static_cast<size_t>(s->LeftPx() + s->TopPx() + s->WidthPx() + s->HeightPx());
      double angles = s->RotationDeg + s->LineWidthPt + s->TextRotationDeg;
      sum += angles == angles ? 1 : 0;
      for (const auto& para : s->Paragraphs)
        for (const auto& run : para.Runs)
          sum += run.FontName.size() + (run.FontSizePt > 0 ? 1 : 0) +
                 static_cast<size_t>(run.Color);
    }
  }
  return sum;
}

}  // namespace

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::string f = JoinPath(UserTempFolder(), "tarvik_fuzz_" + NewGuidHex());
    if (!ForceDirectories(f)) std::abort();
    return f;
  }();
  static const bool registered = (std::atexit(RemoveScratch), true);
  (void)registered;
  return folder;
}

void LoadAndDiscard(const std::string& pptx) {
  const std::string root = JoinPath(ScratchFolder(), "root");
  try {
    auto presentation = LoadPPTXPresentation(pptx, root);
    volatile size_t sink = Touch(*presentation);
    (void)sink;
  } catch (const ETarvikError&) {
    // The reader refused the input with a message: the sound outcome.
  }
  DeleteTree(root);
}

}  // namespace tarvik::fuzz
