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

// Exports PptxFile into OutputFolder: "index.html" (UTF-8 with byte order
// mark) and "assets/". Never raises: any failure gives false, without a
// message, and the staging file ".Tarvik_staging.html" is removed. The counts
// are those of the single-file export.
bool ExportWebFolder(const std::string& pptxFile, const std::string& outputFolder, int& slideCount,
                     int& objectCount);

}  // namespace tarvik
