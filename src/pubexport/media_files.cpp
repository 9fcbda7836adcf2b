// Media copies and transformed pictures beside the publication file.
#include "pubexport/media_files.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/fs_path.h"
#include "pubexport/picture_transform.h"

namespace tarvik {

namespace {

// Copies the bytes in pieces (a video may be far larger than we want to hold
// in memory) into a file of default permissions: a read-only source must not
// leave a copy that the next import of the same deck cannot replace.
bool CopyBytes(const std::string& source, const std::string& target) {
  std::ifstream in(ToFs(source), std::ios::binary);
  if (!in) return false;
  std::error_code ignored;
  // Already in place: truncating the target would empty the source.
  if (std::filesystem::equivalent(ToFs(source), ToFs(target), ignored)) return true;
  if (std::filesystem::exists(ToFs(target), ignored))
    std::filesystem::permissions(ToFs(target), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ignored);
  std::ofstream out(ToFs(target), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  std::vector<char> buffer(1 << 20);
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    std::streamsize n = in.gcount();
    if (n > 0 && !out.write(buffer.data(), n)) break;
  }
  bool ok = in.eof() && !in.bad() && out.good();
  out.close();
  ok = ok && !out.fail();
  // A half copy must not pass for the media file.
  if (!ok) std::filesystem::remove(ToFs(target), ignored);
  return ok;
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
  if (!CopyBytes(source, JoinPath(folder, fileName))) throw ETarvikError("Unable to copy media file: " + source);
  return "media\\" + fileName;
}

std::string PlacePicture(const std::string& pubFile, const TPPTXShape& shape, int32_t slide, int32_t shapeNo) {
  bool cropped = shape.CropLeft != 0 || shape.CropTop != 0 || shape.CropRight != 0 || shape.CropBottom != 0;
  if (cropped || shape.FlipH || shape.FlipV || shape.PictureDuotone.Used) {
    std::string fileName = BaseName(slide, shapeNo) + "_crop.png";
    std::string folder = MediaFolderOf(pubFile);
    ForceDirectories(folder);
    if (SaveTransformedImage(shape.MediaFile, JoinPath(folder, fileName), shape.CropLeft, shape.CropTop,
                             shape.CropRight, shape.CropBottom, shape.FlipH, shape.FlipV, shape.RotationDeg,
                             shape.PictureDuotone))
      return "media\\" + fileName;
  }
  return CopyMediaFile(pubFile, shape.MediaFile, slide, shapeNo);
}

}  // namespace tarvik
