// Action 6: the import into a publication source file, and the shell step
// that opens the new publication.
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/system.h"
#include "plugin/dispatch.h"
#include "plugin/import_action.h"
#include "plugin/module_state.h"
#include "pubexport/import_driver.h"

namespace tarvik {

namespace {
const std::string& Param(const std::vector<std::string>& params, size_t i) {
  static const std::string kEmpty;
  return i < params.size() ? params[i] : kEmpty;
}
}  // namespace

bool OpenGeneratedPublication(const std::string& fileName) {
  if (!FileExists(fileName)) return ReportFailure("Generated publication not found: " + fileName);
  if (GetEnvVar("TARVIK_SHELL_OPEN") == "0") return true;
  if (ShellOpenFile(fileName)) return true;
  return ReportFailure(
      "The .pub file was created, but Windows could not open it through the file association: " + fileName);
}

bool ExecImport(const std::vector<std::string>& params) {
  const std::string& presentation = Param(params, 0);
  const std::string& output = Param(params, 1);
  if (!FileExists(presentation)) return ReportFailure("PowerPoint file not found: " + presentation);
  // Only an empty name is refused here; blanks go on to the driver, which
  // reports the folder it cannot create.
  if (output.empty()) return ReportFailure("Output publication name is required.");
  int32_t slides = 0, objects = 0;
  if (!ConvertPPTXToPub(presentation, output, slides, objects))
    return ReportFailure("Unable to create the VisualNEO Win publication.");
  SetHostVariable("[PPTXImportedPub]", output);
  SetHostVariable("[PPTXImportedSlides]", std::to_string(slides));
  SetHostVariable("[PPTXImportedObjects]", std::to_string(objects));
  SetHostVariable("[LastError]", "");
  return OpenGeneratedPublication(output);
}

}  // namespace tarvik
