// The viewers attached to host objects, and the five viewer actions. The
// registry owns its viewers until they are detached, replaced, or freed all
// at once when the host says goodbye. Each viewer unpacks its presentation
// into a folder of its own below "Tarvik_Cache", named after its Rectangle,
// so that decks with the same file name never replace each other's media;
// the folder goes with the viewer.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarvik {

class TTarvikViewer;

// One attached viewer and the folder its presentation is unpacked in.
// Destroying the entry destroys the viewer, then removes the folder.
struct TAttachedViewer {
  TAttachedViewer(std::unique_ptr<TTarvikViewer> viewer, std::string workFolder);
  ~TAttachedViewer();
  TAttachedViewer(const TAttachedViewer&) = delete;
  TAttachedViewer& operator=(const TAttachedViewer&) = delete;
  std::unique_ptr<TTarvikViewer> Viewer;
  std::string WorkFolder;
};

// The attached viewers in attach order; null until the first attach.
std::vector<std::unique_ptr<TAttachedViewer>>* AttachedViewers();

// Index of the viewer attached under Name, the letters a to z compared
// without case; -1 when there is none.
int32_t FindViewer(const std::string& rectangleName);

// "[PPTXCurrentSlide]", "[PPTXSlideCount]" and "[PPTXShapeCount]", in that order.
void PublishViewerStatus(const TTarvikViewer& viewer);

// The extraction root of the viewer attached under Name: below the cache
// folder, one folder per name (without regard to case), distinct names
// giving distinct folders.
std::string ViewerWorkFolder(const std::string& rectangleName);

// The actions. Each fails by a message in "[LastError]" and false, and
// leaves "[LastError]" alone when it succeeds.
bool ExecAttach(const std::string& rectangleName, const std::string& pptxFile, const std::string& variableName);
// With ReportMissing false (the first step of an attach) a missing viewer
// is no failure worth a message.
bool ExecDetach(const std::string& rectangleName, bool reportMissing);
bool ExecGotoSlide(const std::string& rectangleName, int32_t slideNumber);
bool ExecNextSlide(const std::string& rectangleName);
bool ExecPrevSlide(const std::string& rectangleName);

// The same, as rows of the action table call them.
bool AttachAction(const std::vector<std::string>& params);
bool DetachAction(const std::vector<std::string>& params);
bool GotoSlideAction(const std::vector<std::string>& params);
bool NextSlideAction(const std::vector<std::string>& params);
bool PrevSlideAction(const std::vector<std::string>& params);

// Frees every attached viewer and the list; a second call finds nothing to do.
void FreeAllViewers();

}  // namespace tarvik
