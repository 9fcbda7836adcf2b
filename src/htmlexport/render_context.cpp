// Clip identifiers and the data: URI cache of one presentation's rendering.
#include "htmlexport/render_context.h"

#include <cstdio>

#include "htmlexport/data_uri.h"
#include "platform/files.h"

namespace tarvik {

TRenderContext::TRenderContext(const TPPTXPresentation& presentation) {
  auto countPicture = [&](const TPPTXFill& fill) {
    if (fill.Kind == kFillPicture && !fill.PictureFile.empty()) ++FPictureUses[fill.PictureFile];
  };
  for (const auto& slide : presentation.Slides) {
    countPicture(slide->Background);
    for (const auto& shape : slide->Shapes) {
      FClipIds.emplace(shape.get(), FNextClipId++);
      countPicture(shape->Fill);
      switch (shape->Kind) {
        case skImage:
          CountUse(shape->DrawnFile());
          if (!shape->DrawnFile().empty()) ++FPictureUses[shape->DrawnFile()];
          break;
        case skVideo:
        case skAudio:
          CountUse(shape->PosterImage.empty() ? shape->MediaFile : shape->PosterImage);
          if (!shape->PosterImage.empty()) ++FPictureUses[shape->PosterImage];
          break;
        default: break;
      }
    }
  }
}

std::string TRenderContext::SharedPicture(std::string& out, const std::string& file) {
  if (!FSharePictures || file.empty()) return "";
  auto uses = FPictureUses.find(file);
  if (uses == FPictureUses.end() || uses->second < 2) return "";
  auto known = FPictureIds.find(file);
  if (known != FPictureIds.end()) return known->second;
  std::string definition = "<defs><image id=\"";
  char id[16];
  std::snprintf(id, sizeof id, "pic_%08X", static_cast<unsigned>(FPictureIds.size() + 1));
  definition += id;
  definition += "\" width=\"1\" height=\"1\" preserveAspectRatio=\"none\" href=\"";
  if (FByReference ? !AppendReference(definition, file) : !AppendFileDataUri(definition, file)) {
    FPictureIds.emplace(file, "");
    return "";
  }
  definition += "\"/></defs>";
  out += definition;
  FPictureIds.emplace(file, id);
  return id;
}

void TRenderContext::CountUse(const std::string& file) {
  if (!file.empty()) ++FUsesLeft[file];
}

std::string TRenderContext::ClipIdFor(const TPPTXShape& shape) {
  auto [it, added] = FClipIds.emplace(&shape, FNextClipId);
  if (added) ++FNextClipId;
  char buf[16];
  std::snprintf(buf, sizeof buf, "clip_%08X", static_cast<unsigned>(it->second));
  return buf;
}

bool TRenderContext::AppendReference(std::string& out, const std::string& file) {
  auto known = FReferenceIndex.find(file);
  if (known == FReferenceIndex.end()) {
    // The same test as for a data: URI: no file, or an empty one, draws nothing.
    if (file.empty() || !FileExists(file) || FileSize(file) <= 0) return false;
    known = FReferenceIndex.emplace(file, FReferenced.size()).first;
    FReferenced.push_back(file);
  }
  out += kMediaReference;
  out += std::to_string(known->second);
  return true;
}

bool TRenderContext::AppendDataUri(std::string& out, const std::string& file) {
  if (FByReference) return AppendReference(out, file);
  auto uses = FUsesLeft.find(file);
  int usesLeft = uses == FUsesLeft.end() ? 0 : uses->second;
  if (uses != FUsesLeft.end() && --uses->second <= 0) FUsesLeft.erase(uses);

  if (auto cached = FUriCache.find(file); cached != FUriCache.end()) {
    out += cached->second;
    if (usesLeft <= 1) FUriCache.erase(cached);
    return true;
  }
  if (usesLeft > 1) {
    std::string uri = FileToDataUri(file);
    if (uri.empty()) return false;
    out += uri;
    FUriCache.emplace(file, std::move(uri));
    return true;
  }
  return AppendFileDataUri(out, file);
}

}  // namespace tarvik
