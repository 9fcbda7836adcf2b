// Actions 7 to 12, the exports built on the slide renderer: check the
// presentation and output parameters, run the single-file, web folder, H5P,
// SCORM, EPUB or PWA export, and report the output name, the slide and object
// counts, and an empty "[LastError]" as the last variable on success. A
// driver's own failure message passes through the dispatch guard unchanged.
#include <string>
#include <vector>

#include "htmlexport/epub_export.h"
#include "htmlexport/h5p_export.h"
#include "htmlexport/html5_export.h"
#include "htmlexport/pwa_export.h"
#include "htmlexport/scorm_export.h"
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

// The folder as passed, with one separator before "index.html" whether or
// not the script already wrote one.
std::string IndexOf(const std::string& folder) {
  std::string index = folder;
  if (index.back() != kPathSep) index += kPathSep;
  return index + "index.html";
}

}  // namespace

bool ExecExportHTML(const std::vector<std::string>& params) {
  const std::string& presentation = Param(params, 0);
  const std::string& output = Param(params, 1);
  if (!FileExists(presentation)) return ReportFailure("PowerPoint file not found: " + presentation);
  if (IsBlank(output)) return ReportFailure("Output HTML5 filename is required.");
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
  if (IsBlank(output)) return ReportFailure("Output web folder is required.");
  int slides = 0, objects = 0;
  if (!ExportWebFolder(presentation, output, slides, objects))
    return ReportFailure("Unable to create the HTML5 web folder.");
  SetHostVariable("[PPTXWebFolder]", output);
  SetHostVariable("[PPTXWebIndex]", IndexOf(output));
  SetHostVariable("[PPTXWebSlides]", std::to_string(slides));
  SetHostVariable("[PPTXWebObjects]", std::to_string(objects));
  SetHostVariable("[LastError]", "");
  return true;
}

bool ExecExportH5P(const std::vector<std::string>& params) {
  const std::string& presentation = Param(params, 0);
  const std::string& output = Param(params, 1);
  if (!FileExists(presentation)) return ReportFailure("PowerPoint file not found: " + presentation);
  if (IsBlank(output)) return ReportFailure("Output H5P filename is required.");
  int slides = 0, objects = 0;
  if (!ExportH5P(presentation, output, slides, objects)) return ReportFailure("Unable to create the H5P package.");
  SetHostVariable("[PPTXH5PExported]", output);
  SetHostVariable("[PPTXH5PSlides]", std::to_string(slides));
  SetHostVariable("[PPTXH5PObjects]", std::to_string(objects));
  SetHostVariable("[LastError]", "");
  return true;
}

bool ExecExportSCORM(const std::vector<std::string>& params) {
  const std::string& presentation = Param(params, 0);
  const std::string& output = Param(params, 1);
  if (!FileExists(presentation)) return ReportFailure("PowerPoint file not found: " + presentation);
  if (IsBlank(output)) return ReportFailure("Output SCORM package filename is required.");
  int slides = 0, objects = 0;
  if (!ExportSCORM(presentation, output, slides, objects))
    return ReportFailure("Unable to create the SCORM package.");
  SetHostVariable("[PPTXSCORMExported]", output);
  SetHostVariable("[PPTXSCORMSlides]", std::to_string(slides));
  SetHostVariable("[PPTXSCORMObjects]", std::to_string(objects));
  SetHostVariable("[PPTXSCORMVersion]", "1.2");
  SetHostVariable("[LastError]", "");
  return true;
}

bool ExecExportEPUB(const std::vector<std::string>& params) {
  const std::string& presentation = Param(params, 0);
  const std::string& output = Param(params, 1);
  // Only a name is asked for here; the driver reports a deck that is missing.
  if (IsBlank(presentation)) return ReportFailure("PowerPoint filename is required.");
  if (IsBlank(output)) return ReportFailure("Output EPUB filename is required.");
  int slides = 0, objects = 0;
  if (!ExportEPUB(presentation, output, slides, objects))
    return ReportFailure("Unable to create the EPUB package.");
  SetHostVariable("[PPTXEPUBExported]", output);
  SetHostVariable("[PPTXEPUBSlides]", std::to_string(slides));
  SetHostVariable("[PPTXEPUBObjects]", std::to_string(objects));
  SetHostVariable("[PPTXEPUBVersion]", "3.3");
  SetHostVariable("[LastError]", "");
  return true;
}

bool ExecExportPWA(const std::vector<std::string>& params) {
  const std::string& presentation = Param(params, 0);
  const std::string& output = Param(params, 1);
  if (!FileExists(presentation)) return ReportFailure("PowerPoint file not found: " + presentation);
  if (IsBlank(output)) return ReportFailure("Output PWA folder is required.");
  int slides = 0, objects = 0;
  if (!ExportPWA(presentation, output, slides, objects))
    return ReportFailure("Unable to create the PWA web application.");
  SetHostVariable("[PPTXPWAExported]", output);
  SetHostVariable("[PPTXPWAFolder]", output);
  SetHostVariable("[PPTXPWAIndex]", IndexOf(output));
  SetHostVariable("[PPTXPWASlides]", std::to_string(slides));
  SetHostVariable("[PPTXPWAObjects]", std::to_string(objects));
  SetHostVariable("[PPTXPWAVersion]", "1.0");
  SetHostVariable("[LastError]", "");
  return true;
}

}  // namespace tarvik
