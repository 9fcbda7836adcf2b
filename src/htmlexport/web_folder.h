// The web folder export: the player page as "index.html" with every embedded
// picture and media file moved out into "assets/", for hosting on a server.
#pragma once
#include <string>
#include <string_view>

namespace tarvik {

// Writes each distinct data URI of Document into AssetsFolder (created when
// missing) as "asset_0001.png", "asset_0002.mp4", ... in order of first
// appearance, and returns Document with each URI replaced by Prefix + the
// file name. Only URIs that stand as the whole double-quoted value of an
// href or src attribute are taken, which is how the slide renderer writes
// them; text that merely looks like a data URI stays as it is. Raises
// ETarvikError when an asset cannot be written.
std::string ExternalizeDataUris(std::string_view document, const std::string& assetsFolder,
                                const std::string& prefix);

// Exports pptxFile into outputFolder: "index.html" (UTF-8 with byte order
// mark) and "assets/", by way of the staging file ".Tarvik_staging.html",
// which is removed also when a step fails. The counts are those of the
// single-file export. Raises ETarvikError with the reason for any failure;
// returns whether "index.html" exists afterwards.
bool WriteWebFolder(const std::string& pptxFile, const std::string& outputFolder, int& slideCount,
                    int& objectCount);

// WriteWebFolder as the web folder action calls it: never raises. A failure
// gives false without a message (the action has its own); its reason goes
// to a watching command-line host only (platform/watcher.h).
bool ExportWebFolder(const std::string& pptxFile, const std::string& outputFolder, int& slideCount,
                     int& objectCount);

}  // namespace tarvik
