// The SCORM 1.2 export: the single-file player as the one launch page of a
// SCORM 1.2 content package, with a runtime that reports the slides to the
// LMS (location, suspend data, completion on the last slide, session time)
// and, when a page configures it, to an xAPI learning record store.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// "<script>window.Tarvik_XAPI=...</script>": the xAPI settings, defaults
// unless the page's window already holds them.
const std::string& ScormXapiSettingsBlock();
// "<script>" + the runtime (assets/scorm_runtime.js) + "</script>".
const std::string& ScormRuntimeScript();
// The page with the settings block and the runtime before every
// "</body></html>" (in any letter case).
std::string InsertScormRuntime(std::string_view page);

// The manifest's identifier: "TARVIK_" + the tick count as eight upper-case
// hex digits.
std::string ScormManifestId(uint32_t tickCount);
// The package manifest for the title (escaped here) under that identifier:
// one organization with one item, launching the one SCO "index.html".
std::string BuildImsManifest(const std::string& title, const std::string& identifier);

// Writes the package of PptxFile to OutputFile ("imsmanifest.xml", then
// "index.html", both deflated; an earlier file of that name is replaced) and
// gives the slide and object counts of the player. Raises ETarvikError:
// "PowerPoint file not found: <file>", "Output SCORM package filename is
// required.", the loader's, the file system's and the archive's messages.
// The "Tarvik_SCORM_<GUID>" work folder is gone afterwards in every case.
// Returns whether the package exists and is not empty. Counts are 0 on failure.
bool ExportSCORM(const std::string& pptxFile, const std::string& outputFile, int& slideCount,
                 int& objectCount);

}  // namespace tarvik
