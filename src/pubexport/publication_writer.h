// The publication source text: the header block, the page lines and one
// record per host object, appended line by line (each ended by CR LF) to a
// string builder. Values are UTF-8 here; the driver converts the finished
// text to the ANSI code page.
#pragma once
#include <cstdint>
#include <string>

#include "pptx/model.h"

namespace tarvik {

// The "Author=" of every publication we write; the plug-in's publisher name.
inline constexpr const char* kPubAuthor = "Tarvik";

void WritePubHeader(std::string& sb, const std::string& title, const std::string& pubFile,
                    int32_t slideWidthPx, int32_t slideHeightPx);
// "PageColor=" and the constant page attributes of one slide.
void WritePageSettings(std::string& sb, const TPPTXSlide& slide);

// ObjectType 16 (Rounded) or 5 with already computed values; W and H below 1
// are written as 1, the rotation comment only beyond 0.01 degrees.
void WriteBoxObject(std::string& sb, const std::string& name, int32_t x, int32_t y, int32_t w, int32_t h,
                    int32_t fillValue, int32_t lineValue, int32_t lineWidth, bool rounded,
                    double rotationDeg);
void WriteEllipseObject(std::string& sb, const std::string& name, const TPPTXShape& shape);
void WriteLineObject(std::string& sb, const std::string& name, const TPPTXShape& shape);
void WriteTextObject(std::string& sb, const std::string& name, const TPPTXShape& shape);
void WritePictureObject(std::string& sb, const std::string& name, const std::string& relativeFile,
                        const TPPTXShape& shape);
void WriteMediaObject(std::string& sb, const std::string& name, const std::string& relativeFile,
                      const TPPTXShape& shape);
void WritePlaceholderObject(std::string& sb, const std::string& name, const TPPTXShape& shape);

// The base text of a shape's object name: Name, or GroupPath with "/" turned
// into "_", then "_" and Name.
std::string ObjectBaseName(const TPPTXShape& shape);
// A host object name from a base text and the shape's 1-based position in its
// slide: trimmed, "Object" when empty, each UTF-16 unit other than an ASCII
// letter, digit or "_" turned into "_", "Obj_" before a leading digit, at most
// 40 characters, then "_" and the position.
std::string MakeObjectName(const std::string& base, int32_t position);

// The line width value of a shape with an outline: Round(LineWidthPt), at least 1.
int32_t PubLineWidth(double lineWidthPt);

}  // namespace tarvik
