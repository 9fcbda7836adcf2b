#include "plugin/action_table.h"

#include <cstring>

#include "plugin/edit_actions.h"
#include "plugin/export_actions.h"
#include "plugin/import_action.h"
#include "plugin/viewer_registry.h"

namespace tarvik {

namespace {
// Rows with equal kinds share one array: the host may keep these pointers.
const uint8_t kKindsAttach[] = {ParamKindText, ParamKindText, ParamKindVariable};
const uint8_t kKindsObject[] = {ParamKindText};
const uint8_t kKindsGoto[] = {ParamKindText, ParamKindNumber};
const uint8_t kKindsFileFile[] = {ParamKindFile, ParamKindFile};
const uint8_t kKindsFileFolder[] = {ParamKindFile, ParamKindText};
}  // namespace

const char* const PluginTitle = "TarvikPlugin";
const char* const PluginPublisher = "Tarvik";
const char* const PluginHint =
    "Attach a PowerPoint (.pptx) slide viewer to a Rectangle and navigate its slides - text, "
    "images, video, audio and shapes are rendered with the original layout.";

const TActionInfo kActions[kActionCount] = {
    {"ovPPTXAttach", "Attach a PowerPoint (.pptx) slide viewer to an existing Rectangle object.",
     kKindsAttach, 3, AttachAction, nullptr, EditAttach},
    {"ovPPTXDetach", "Remove a PowerPoint slide viewer previously attached to a Rectangle object.",
     kKindsObject, 1, DetachAction, nullptr, EditObjectOnly},
    {"ovPPTXGotoSlide", "Display a specific slide number (1-based) in an attached PowerPoint viewer.",
     kKindsGoto, 2, GotoSlideAction, nullptr, EditGotoSlide},
    {"ovPPTXNextSlide", "Advance an attached PowerPoint viewer to the next slide.",
     kKindsObject, 1, NextSlideAction, nullptr, EditObjectOnly},
    {"ovPPTXPrevSlide", "Move an attached PowerPoint viewer back to the previous slide.",
     kKindsObject, 1, PrevSlideAction, nullptr, EditObjectOnly},
    {"ovPPTXImport",
     "Import PowerPoint 2.0: convert slides into editable native VisualNEO Win pages. Preserves "
     "theme fonts/colors, rich text runs, paragraph alignment, image crops, group transforms and "
     "shape rotation metadata. PowerPoint is not required by the resulting publication.",
     kKindsFileFile, 2, ExecImport, "import", EditImport},
    {"ovPPTXExportHTML",
     "Export a PowerPoint presentation as one self-contained HTML5 file with embedded slide media.",
     kKindsFileFile, 2, ExecExportHTML, "html", EditExportHTML},
    {"ovPPTXExportWebFolder",
     "Export a PowerPoint presentation as an HTML5 web folder with index.html and externalized "
     "media assets.",
     kKindsFileFolder, 2, ExecExportWebFolder, "web", EditExportWebFolder},
    {"ovPPTXExportH5P",
     "Export a PowerPoint presentation as an H5P package using the Lumio Presentation content "
     "type.",
     kKindsFileFile, 2, ExecExportH5P, "h5p", EditExportH5P},
    {"ovPPTXExportSCORM",
     "Export a PowerPoint presentation as a SCORM 1.2 SCO package with resume, completion and "
     "slide-progress tracking.",
     kKindsFileFile, 2, ExecExportSCORM, "scorm", EditExportSCORM},
    {"ovPPTXExportEPUB",
     "Export a PowerPoint presentation as an EPUB 3.3 fixed-layout publication with navigation "
     "and slide-by-slide reading.",
     kKindsFileFile, 2, ExecExportEPUB, "epub", EditExportEPUB},
    {"ovPPTXExportPWA",
     "Export a PowerPoint presentation as an installable offline-capable Progressive Web App with "
     "service-worker caching.",
     kKindsFileFolder, 2, ExecExportPWA, "pwa", EditExportPWA},
};

int32_t ActionIndexOfCommand(const char* command) {
  for (int32_t i = 0; i < kActionCount; ++i)
    if (kActions[i].Command != nullptr && std::strcmp(kActions[i].Command, command) == 0) return i + 1;
  return 0;
}

}  // namespace tarvik
