// Clip identifiers, shared pictures, media references and the data: URI
// cache of one presentation's rendering.
#include "htmlexport/render_context.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

#include "htmlexport/data_uri.h"
#include "package/crc32.h"
#include "package/mime_types.h"
#include "platform/files.h"

namespace tarvik {

TRenderContext::TRenderContext(const TPPTXPresentation& presentation) {
  std::vector<std::string> files;
  std::unordered_map<std::string, int> pictureUses;
  auto note = [&](const std::string& file) {
    if (!file.empty() && FCanonical.emplace(file, file).second) files.push_back(file);
  };
  auto countPicture = [&](const std::string& file) {
    if (file.empty()) return;
    note(file);
    ++pictureUses[file];
  };
  for (const auto& slide : presentation.Slides) {
    if (slide->Background.Kind == kFillPicture) countPicture(slide->Background.PictureFile);
    for (const auto& shape : slide->Shapes) {
      FClipIds.emplace(shape.get(), FNextClipId++);
      if (shape->Fill.Kind == kFillPicture) countPicture(shape->Fill.PictureFile);
      switch (shape->Kind) {
        case skImage:
          CountUse(shape->DrawnFile());
          countPicture(shape->DrawnFile());
          break;
        case skVideo:
        case skAudio:
          CountUse(shape->PosterImage.empty() ? shape->MediaFile : shape->PosterImage);
          countPicture(shape->PosterImage);
          note(shape->MediaFile);
          break;
        default: break;
      }
    }
  }
  // Files of the same type and bytes (decks hold copies under other names)
  // stand for the first of them: a picture is embedded once, whatever its
  // name. Only files of one type and size are compared, and only those
  // whose first block also matches are read to the end.
  std::map<std::pair<std::string, int64_t>, std::vector<std::string>> bySize;
  for (const std::string& file : files) {
    const int64_t size = FileSize(file);
    if (size > 0) bySize[{MimeTypeForFile(file), size}].push_back(file);
  }
  for (const auto& [key, group] : bySize) {
    if (group.size() < 2) continue;
    std::map<uint32_t, std::vector<std::string>> byHead;
    for (const std::string& file : group) {
      std::vector<std::string>& firsts = byHead[Crc32(0, ReadFileHead(file, 1 << 16))];
      auto same = std::find_if(firsts.begin(), firsts.end(),
                               [&](const std::string& first) { return SameFileContent(first, file); });
      if (same != firsts.end()) FCanonical[file] = *same;
      else firsts.push_back(file);
    }
  }
  for (const auto& [file, uses] : pictureUses) FPictureUses[Canonical(file)] += uses;
}

const std::string& TRenderContext::Canonical(const std::string& file) const {
  auto found = FCanonical.find(file);
  return found == FCanonical.end() ? file : found->second;
}

std::string TRenderContext::SharedPicture(std::string& out, const std::string& drawn) {
  if (!FSharePictures || drawn.empty()) return "";
  const std::string& file = Canonical(drawn);
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

std::string TRenderContext::DrawingPictureId(std::string& out, const std::string& href) {
  if (!FSharePictures) return "";
  auto known = FDrawingPictureIds.find(href);
  if (known != FDrawingPictureIds.end()) return known->second;
  char id[24];
  std::snprintf(id, sizeof id, "pic_d%08X", static_cast<unsigned>(FDrawingPictureIds.size() + 1));
  out += "<defs><image id=\"";
  out += id;
  out += "\" width=\"1\" height=\"1\" preserveAspectRatio=\"none\" href=\"";
  out += href;
  out += "\"/></defs>";
  FDrawingPictureIds.emplace(href, id);
  return id;
}

int TRenderContext::PictureUses(const std::string& file) const {
  auto uses = FPictureUses.find(Canonical(file));
  return uses == FPictureUses.end() ? 0 : uses->second;
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

bool TRenderContext::AppendReference(std::string& out, const std::string& drawn) {
  const std::string& file = Canonical(drawn);
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

void SplitAtMediaReferences(std::string_view text, size_t count,
                            const std::function<void(std::string_view)>& onText,
                            const std::function<void(size_t)>& onMedia) {
  // Built by appending: GCC 12's overlap check misreads the sum in the cross build.
  std::string marker = "\"";
  marker += TRenderContext::kMediaReference;
  size_t copied = 0;
  for (size_t at = text.find(marker); at != std::string_view::npos; at = text.find(marker, at + 1)) {
    size_t digits = at + marker.size();
    size_t end = digits;
    size_t index = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9' && index < count)
      index = index * 10 + static_cast<size_t>(text[end++] - '0');
    if (end == digits || end >= text.size() || text[end] != '"' || index >= count) continue;
    onText(text.substr(copied, digits - copied - TRenderContext::kMediaReference.size()));
    onMedia(index);
    copied = end;
  }
  onText(text.substr(copied));
}

}  // namespace tarvik
