// Actions 7 and 8: check the presentation and output parameters, run the
// single-file or web folder export, and report the output name, the slide and
// object counts, and an empty "[LastError]" as the last variable on success.
// A driver's own failure message passes through the dispatch guard unchanged.
#include <string>
#include <vector>

#include "htmlexport/html5_export.h"
#include "htmlexport/web_folder.h"
#include "platform/files.h"
#include "plugin/dispatch.h"
#include "plugin/export_actions.h"
#include "plugin/module_state.h"

namespace tarvik {

namespace {

const std::string& Param(const std::vector<std::string>& params, size_t i) {
  static const std::string kEmpty;
  return i < params.size() ? params[i] : kEmpty;
}

// Something besides characters up to the space (code 32) is left after trimming.
bool IsNotBlank(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > 32) return true;
  return false;
}

}  // namespace

bool ExecExportHTML(const std::vector<std::string>& params) {
  const std::string& presentation = Param(params, 0);
  const std::string& output = Param(params, 1);
  if (!FileExists(presentation)) return ReportFailure("PowerPoint file not found: " + presentation);
  if (!IsNotBlank(output)) return ReportFailure("Output HTML5 filename is required.");
  int slides = 0, objects = 0;
  if (!ExportHTML5(presentation, output, slides, objects))
    return ReportFailure("Unable to create the HTML5 presentation.");
  SetHostVariable("[PPTXHTMLExported]", output);
  SetHostVariable("[PPTXHTMLSlides]", std::to_string(slides));
  SetHostVariable("[PPTXHTMLObjects]", std::to_string(objects));
  SetHostVariable("[LastError]", "");
  return true;
}

bool ExecExportWebFolder(const std::vector<std::string>& params) {
  const std::string& presentation = Param(params, 0);
  const std::string& output = Param(params, 1);
  if (!FileExists(presentation)) return ReportFailure("PowerPoint file not found: " + presentation);
  if (!IsNotBlank(output)) return ReportFailure("Output web folder is required.");
  int slides = 0, objects = 0;
  if (!ExportWebFolder(presentation, output, slides, objects))
    return ReportFailure("Unable to create the HTML5 web folder.");
  // The folder as passed, with one separator before "index.html" whether or
  // not the script already wrote one.
  std::string index = output;
  if (index.back() != kPathSep) index += kPathSep;
  index += "index.html";
  SetHostVariable("[PPTXWebFolder]", output);
  SetHostVariable("[PPTXWebIndex]", index);
  SetHostVariable("[PPTXWebSlides]", std::to_string(slides));
  SetHostVariable("[PPTXWebObjects]", std::to_string(objects));
  SetHostVariable("[LastError]", "");
  return true;
}

}  // namespace tarvik
