// Handlers of the export actions, as the action table calls them: each checks
// its two parameters (presentation, output), runs one export driver and turns
// its outcome into the action's result variables.
#pragma once
#include <string>
#include <vector>

namespace tarvik {

// Action 7, ovPPTXExportHTML: the single-file HTML5 player.
bool ExecExportHTML(const std::vector<std::string>& params);
// Action 8, ovPPTXExportWebFolder: the player as a folder with its assets.
bool ExecExportWebFolder(const std::vector<std::string>& params);
// Action 9, ovPPTXExportH5P: an H5P package with its own content type.
bool ExecExportH5P(const std::vector<std::string>& params);
// Action 10, ovPPTXExportSCORM: the player as a SCORM 1.2 package with tracking.
bool ExecExportSCORM(const std::vector<std::string>& params);
// Action 11, ovPPTXExportEPUB: a fixed-layout EPUB 3.3 book.
bool ExecExportEPUB(const std::vector<std::string>& params);
// Action 12, ovPPTXExportPWA: the web folder as an installable offline app.
bool ExecExportPWA(const std::vector<std::string>& params);

}  // namespace tarvik
