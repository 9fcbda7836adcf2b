// The H5P export: a .h5p package with the deck's slides as the content of a
// small content type of its own, H5P.LumioPresentation 1.0, whose script
// draws them and gives them navigation.
#pragma once
#include <string>

namespace tarvik {

// The library's author, the plug-in's publisher.
extern const char* const H5pLibraryAuthor;

// The title as the inside of a JSON string: JsEscape, but an apostrophe
// stays as it is (JSON has no \').
std::string H5pJsonTitle(const std::string& title);
// "h5p.json" for the title.
std::string BuildH5pJson(const std::string& title);
// "content/content.json" up to the opening quote of slidesData, and from
// its closing quote on: the slide data goes between them.
std::string H5pContentBefore(const std::string& title, int slideWidth, int slideHeight);
std::string H5pContentAfter();
// The library's fixed files, as the package carries them.
const std::string& H5pLibraryJson();
const std::string& H5pSemanticsJson();
const std::string& H5pLibraryScript();
const std::string& H5pLibraryStylesheet();

// Writes the package of PptxFile to OutputFile ("h5p.json",
// "content/content.json" and the four library files, all deflated; an
// earlier file of that name is replaced) and gives the slide and object
// counts. The deck is unpacked below a "Tarvik_H5P_<GUID>" work folder that
// is gone afterwards in every case. Raises ETarvikError: "PowerPoint file
// not found: <file>", "Output H5P filename is required.", the loader's, the
// file system's and the archive's messages. Returns whether the package
// exists and is not empty. Counts are 0 on failure.
bool ExportH5P(const std::string& pptxFile, const std::string& outputFile, int& slideCount, int& objectCount);

}  // namespace tarvik
