// The web folder export: the player page as "index.html" with every picture
// and media file beside it in "assets/", for hosting on a server.
#pragma once
#include <string>

namespace tarvik {

// Exports pptxFile into outputFolder: "index.html" (UTF-8 with byte order
// mark), written as it is rendered through a temporary file that replaces
// it once whole, and "assets/" with each distinct file the page shows, by
// content, as "asset_0001.png", "asset_0002.mp4", ... in order of first
// use, copied as it is. The counts are those of the single-file export.
// Raises ETarvikError with the reason for any failure; returns whether
// "index.html" exists afterwards.
bool WriteWebFolder(const std::string& pptxFile, const std::string& outputFolder, int& slideCount,
                    int& objectCount);

// WriteWebFolder as the web folder action calls it: never raises. A failure
// gives false without a message (the action has its own); its reason goes
// to a watching command-line host only (platform/watcher.h).
bool ExportWebFolder(const std::string& pptxFile, const std::string& outputFolder, int& slideCount,
                     int& objectCount);

}  // namespace tarvik
