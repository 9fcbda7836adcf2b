#include "plugin/viewer_registry.h"

#include <cstdio>

#include "platform/ascii.h"
#include "platform/files.h"
#include "plugin/dispatch.h"
#include "plugin/module_state.h"
#include "viewer/tarvik_viewer.h"

namespace tarvik {

namespace {

using TViewerList = std::vector<std::unique_ptr<TAttachedViewer>>;

// Never destroyed at exit: a host that unloads without saying goodbye gets
// its windows left alone rather than torn down after the toolkit is gone.
constinit TViewerList* gAttachedViewers = nullptr;

// Letters (folded) and digits as they are, every other byte as "_" and two
// hex digits: one name, one folder, whatever characters the host allows in
// names, and the same folder for names the registry treats as one.
std::string SafeFolderName(const std::string& name) {
  std::string safe;
  for (char c : name) {
    char folded = AsciiUpper(c);
    if ((folded >= 'A' && folded <= 'Z') || (folded >= '0' && folded <= '9')) {
      safe += folded;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "_%02X", static_cast<unsigned char>(c));
      safe += hex;
    }
  }
  constexpr size_t kKeep = 48;
  if (safe.size() <= kKeep + 17) return safe;
  // Long names keep a readable start and a hash of the whole.
  uint64_t hash = 14695981039346656037ull;
  for (char c : safe) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  char tail[24];
  std::snprintf(tail, sizeof tail, "-%016llX", static_cast<unsigned long long>(hash));
  return safe.substr(0, kKeep) + tail;
}

std::string NoViewerMessage(const std::string& rectangleName) {
  return "There is no PowerPoint viewer attached to an object named " + rectangleName + ".";
}

const std::string& Param(const std::vector<std::string>& params, size_t i) {
  static const std::string kEmpty;
  return i < params.size() ? params[i] : kEmpty;
}

}  // namespace

TAttachedViewer::TAttachedViewer(std::unique_ptr<TTarvikViewer> viewer, std::string workFolder)
    : Viewer(std::move(viewer)), WorkFolder(std::move(workFolder)) {}

TAttachedViewer::~TAttachedViewer() {
  // The viewer's controls hold its pictures and media open until they go.
  Viewer.reset();
  if (!WorkFolder.empty()) DeleteTree(WorkFolder);
}

TViewerList* AttachedViewers() { return gAttachedViewers; }

int32_t FindViewer(const std::string& rectangleName) {
  if (gAttachedViewers == nullptr) return -1;
  for (size_t i = 0; i < gAttachedViewers->size(); ++i)
    if (SameText((*gAttachedViewers)[i]->Viewer->RectangleName(), rectangleName)) return static_cast<int32_t>(i);
  return -1;
}

void PublishViewerStatus(const TTarvikViewer& viewer) {
  SetHostVariable("[PPTXCurrentSlide]", std::to_string(viewer.CurrentSlide() + 1));
  SetHostVariable("[PPTXSlideCount]", std::to_string(viewer.SlideCount()));
  SetHostVariable("[PPTXShapeCount]", std::to_string(viewer.CurrentShapeCount()));
}

std::string ViewerWorkFolder(const std::string& rectangleName) {
  return JoinPath(GetCacheFolder(), "Viewer_" + SafeFolderName(rectangleName));
}

bool ExecAttach(const std::string& rectangleName, const std::string& pptxFile, const std::string& variableName) {
  if (!HostHasInterfaceAccess()) return ReportFailure("This function requires VisualNEO Win 4.0.9 or higher.");
  if (!FileExists(pptxFile)) return ReportFailure("File not found: " + pptxFile);
  ExecDetach(rectangleName, false);
  std::string answer;
  AskHost(7, rectangleName, answer);
  int32_t window = StrToIntDef(answer, 0);
  if (window == 0) return ReportFailure("Object named " + rectangleName + " does not exist.");
  // Owned by the entry from the start, so that a failed load destroys the
  // viewer and its folder rather than leave a stray window in the host.
  auto entry = std::make_unique<TAttachedViewer>(TTarvikViewer::CreateWithParent(window),
                                                 ViewerWorkFolder(rectangleName));
  TTarvikViewer& viewer = *entry->Viewer;
  viewer.SetRectangleName(rectangleName);
  viewer.Window().FitToParentWindow();
  viewer.LoadPresentation(pptxFile, entry->WorkFolder);
  viewer.Window().SetVisible(true);
  if (gAttachedViewers == nullptr) gAttachedViewers = new TViewerList();
  gAttachedViewers->push_back(std::move(entry));
  if (!variableName.empty()) SetHostVariable(variableName, std::to_string(viewer.SlideCount()));
  PublishViewerStatus(viewer);
  return true;
}

bool ExecDetach(const std::string& rectangleName, bool reportMissing) {
  int32_t i = FindViewer(rectangleName);
  if (i >= 0) {
    gAttachedViewers->erase(gAttachedViewers->begin() + i);
    return true;
  }
  if (reportMissing) return ReportFailure(NoViewerMessage(rectangleName));
  return false;
}

namespace {

template <class TMove>
bool MoveViewer(const std::string& rectangleName, TMove move) {
  int32_t i = FindViewer(rectangleName);
  if (i < 0) return ReportFailure(NoViewerMessage(rectangleName));
  TTarvikViewer& viewer = *(*gAttachedViewers)[i]->Viewer;
  move(viewer);
  PublishViewerStatus(viewer);
  return true;
}

}  // namespace

bool ExecGotoSlide(const std::string& rectangleName, int32_t slideNumber) {
  // The viewer ignores a number outside its slides; 0 - 1 cannot overflow,
  // and the lowest integer has no slide before it either.
  int64_t index = static_cast<int64_t>(slideNumber) - 1;
  return MoveViewer(rectangleName, [index](TTarvikViewer& v) {
    if (index >= 0) v.ShowSlide(static_cast<int32_t>(index));
  });
}

bool ExecNextSlide(const std::string& rectangleName) {
  return MoveViewer(rectangleName, [](TTarvikViewer& v) { v.NextSlide(); });
}

bool ExecPrevSlide(const std::string& rectangleName) {
  return MoveViewer(rectangleName, [](TTarvikViewer& v) { v.PrevSlide(); });
}

bool AttachAction(const std::vector<std::string>& params) {
  return ExecAttach(Param(params, 0), Param(params, 1), Param(params, 2));
}

bool DetachAction(const std::vector<std::string>& params) { return ExecDetach(Param(params, 0), true); }

bool GotoSlideAction(const std::vector<std::string>& params) {
  return ExecGotoSlide(Param(params, 0), StrToIntDef(Param(params, 1), 1));
}

bool NextSlideAction(const std::vector<std::string>& params) { return ExecNextSlide(Param(params, 0)); }

bool PrevSlideAction(const std::vector<std::string>& params) { return ExecPrevSlide(Param(params, 0)); }

void FreeAllViewers() {
  if (gAttachedViewers == nullptr) return;
  TViewerList* list = gAttachedViewers;
  gAttachedViewers = nullptr;
  // In list order, as they were attached.
  for (auto& entry : *list) entry.reset();
  delete list;
}

}  // namespace tarvik
