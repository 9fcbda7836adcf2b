// A SmartArt diagram saved without its drawn shapes (an empty or missing
// drawing part) still holds its text in the data part. Office lays such a
// diagram out from its layout definition; this reader runs no layout
// definitions, so it shows the text as a plain list in the diagram's frame:
// each top-level item a filled box, its sub-items as bullet text beside it.
#pragma once
#include <cstdint>
#include <memory>

#include "pptx/xml_helpers.h"

namespace tarvik {

// A shape tree (spTree of DrawingML shapes, in a space of Width x Height EMU
// with its origin at the frame's corner) for the diagram data model
// DataModel; null when the model has no items to show.
std::unique_ptr<TXmlPart> BuildDiagramFallback(pugi::xml_node dataModel, int64_t width, int64_t height);

// True when a drawing part's shape tree holds no shapes.
bool IsEmptyDiagramDrawing(pugi::xml_node drawingRoot);

}  // namespace tarvik
