// From the model to the publication file: one page per slide, one record per
// shape that has a host counterpart, media beside the file.
#include "pubexport/publication_import.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "pubexport/media_files.h"
#include "pubexport/publication_writer.h"
#include "pubexport/rich_text.h"

namespace tarvik {

std::string PublicationTitle(const std::string& pptxFile) {
  return RemoveExtension(ExtractFileName(pptxFile)) + " - Imported";
}

namespace {

bool HasMedia(const TPPTXShape& shape) { return !shape.MediaFile.empty() && FileExists(shape.MediaFile); }

void WriteShape(std::string& sb, const std::string& pubFile, const TPPTXShape& shape, int32_t slideNo,
                int32_t shapeNo) {
  std::string name = MakeObjectName(ObjectBaseName(shape), shapeNo);
  switch (shape.Kind) {
    case skText:
      WriteTextObject(sb, name, shape);
      break;
    case skImage:
      if (HasMedia(shape)) WritePictureObject(sb, name, PlacePicture(pubFile, shape, slideNo, shapeNo), shape);
      break;
    case skVideo:
    case skAudio:
      if (HasMedia(shape))
        WriteMediaObject(sb, name, CopyMediaFile(pubFile, shape.MediaFile, slideNo, shapeNo), shape);
      break;
    case skRect:
    case skRoundRect:
      WriteBoxObject(sb, name, shape.LeftPx(), shape.TopPx(), shape.WidthPx(), shape.HeightPx(),
                     shape.HasFill ? PubColor(shape.FillColor) : 16777215,
                     shape.HasLine ? PubColor(shape.LineColor) : 0,
                     shape.HasLine ? PubLineWidth(shape.LineWidthPt) : 0, shape.Kind == skRoundRect,
                     shape.RotationDeg);
      break;
    case skOval:
      WriteEllipseObject(sb, name, shape);
      break;
    case skLine:
      WriteLineObject(sb, name, shape);
      break;
    case skOther:
      WritePlaceholderObject(sb, name, shape);
      break;
  }
}

}  // namespace

std::string BuildPublicationText(const TPPTXPresentation& presentation, const std::string& pptxFile,
                                 const std::string& pubFile, int32_t& slideCount, int32_t& objectCount) {
  std::string sb;
  WritePubHeader(sb, PublicationTitle(pptxFile), pubFile, presentation.SlideWidthPx(),
                 presentation.SlideHeightPx());
  sb += "MasterPage\r\n";
  slideCount = static_cast<int32_t>(presentation.Slides.size());
  int32_t slideNo = 0;
  for (const auto& slide : presentation.Slides) {
    ++slideNo;
    sb += "NewPage=Slide " + std::to_string(slideNo) + "\r\n";
    WritePageSettings(sb, *slide);
    int32_t shapeNo = 0;
    for (const auto& shape : slide->Shapes) {
      ++shapeNo;
      WriteShape(sb, pubFile, *shape, slideNo, shapeNo);
      ++objectCount;
    }
  }
  return sb;
}

void WritePublication(const TPPTXPresentation& presentation, const std::string& pptxFile,
                      const std::string& pubFile, int32_t& slideCount, int32_t& objectCount) {
  std::string text = BuildPublicationText(presentation, pptxFile, pubFile, slideCount, objectCount);
  WriteFileReplacing(pubFile, {Utf8ToAnsi(text)});
}

}  // namespace tarvik
