// The files a publication refers to: media copies and re-encoded pictures in
// the "media" folder beside the publication file. Names inside the
// publication use a backslash ("media\slide3_obj2.mp4") because the host
// reads them on Windows; on disk the files sit at the native path.
#pragma once
#include <cstdint>
#include <string>

#include "pptx/model.h"

namespace tarvik {

// The "media" folder beside PubFile.
std::string MediaFolderOf(const std::string& pubFile);

// The extension of Source's file name with its dot; ".bin" when it has none.
std::string MediaExtension(const std::string& source);

// Copies Source to media\slide<Slide>_obj<Shape><ext> beside PubFile,
// replacing an older copy, and returns that relative name. Raises
// ETarvikError "Unable to copy media file: <source>" when the copy fails.
std::string CopyMediaFile(const std::string& pubFile, const std::string& source, int32_t slide, int32_t shape);

// The relative file name of a picture shape: a PNG with the crop and flips
// (and then the rotation) applied when it is cropped or flipped and that
// works, a plain copy otherwise. Shape must have an existing MediaFile.
std::string PlacePicture(const std::string& pubFile, const TPPTXShape& shape, int32_t slide, int32_t shapeNo);

}  // namespace tarvik
