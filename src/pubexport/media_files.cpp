// Media copies and transformed pictures beside the publication file.
#include "pubexport/media_files.h"

#include <filesystem>
#include <system_error>

#include "platform/error.h"
#include "platform/files.h"
#include "pubexport/picture_transform.h"

namespace tarvik {

namespace {

std::filesystem::path FsPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string BaseName(int32_t slide, int32_t shape) {
  return "slide" + std::to_string(slide) + "_obj" + std::to_string(shape);
}

}  // namespace

std::string MediaFolderOf(const std::string& pubFile) { return JoinPath(ExtractFileDir(pubFile), "media"); }

std::string MediaExtension(const std::string& source) {
  std::string name = ExtractFileName(source);
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string(".bin") : name.substr(dot);
}

std::string CopyMediaFile(const std::string& pubFile, const std::string& source, int32_t slide, int32_t shape) {
  std::string fileName = BaseName(slide, shape) + MediaExtension(source);
  std::string folder = MediaFolderOf(pubFile);
  ForceDirectories(folder);
  std::filesystem::path target = FsPath(JoinPath(folder, fileName));
  std::error_code ec, ignored;
  // The copy takes the source's permissions; a read-only source must not leave
  // a copy that the next import of the same deck cannot replace.
  if (std::filesystem::exists(target, ignored))
    std::filesystem::permissions(target, std::filesystem::perms::owner_write, std::filesystem::perm_options::add,
                                 ignored);
  // Streams the bytes: a video may be far larger than we want to hold in memory.
  bool copied =
      std::filesystem::copy_file(FsPath(source), target, std::filesystem::copy_options::overwrite_existing, ec);
  if (!copied || ec) throw ETarvikError("Unable to copy media file: " + source);
  std::filesystem::permissions(target, std::filesystem::perms::owner_write, std::filesystem::perm_options::add,
                               ignored);
  return "media\\" + fileName;
}

std::string PlacePicture(const std::string& pubFile, const TPPTXShape& shape, int32_t slide, int32_t shapeNo) {
  bool cropped = shape.CropLeft != 0 || shape.CropTop != 0 || shape.CropRight != 0 || shape.CropBottom != 0;
  if (cropped || shape.FlipH || shape.FlipV) {
    std::string fileName = BaseName(slide, shapeNo) + "_crop.png";
    std::string folder = MediaFolderOf(pubFile);
    ForceDirectories(folder);
    if (SaveTransformedImage(shape.MediaFile, JoinPath(folder, fileName), shape.CropLeft, shape.CropTop,
                             shape.CropRight, shape.CropBottom, shape.FlipH, shape.FlipV, shape.RotationDeg))
      return "media\\" + fileName;
  }
  return CopyMediaFile(pubFile, shape.MediaFile, slide, shapeNo);
}

}  // namespace tarvik
