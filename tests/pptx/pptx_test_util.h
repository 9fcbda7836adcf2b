// Shared bits of the reader's tests: a private temporary folder, XML from a
// string, and loading a deck described by a TDeckParts.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pptx/loader.h"
#include "pptx/xml_helpers.h"
#include "support/deck_writer.h"

namespace tarvik::test {

// A fresh folder below the user's temporary folder, deleted with everything in it.
class TTempDir {
 public:
  TTempDir() : Path(JoinPath(UserTempFolder(), "tarvik_pptx_test_" + NewGuidHex())) { ForceDirectories(Path); }
  ~TTempDir() { DeleteTree(Path); }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  std::string operator/(const std::string& name) const { return JoinPath(Path, name); }
  const std::string Path;
};

// A fragment with the usual prefixes declared on its root element.
inline std::unique_ptr<TXmlPart> Xml(const std::string& text) {
  return LoadXmlDocumentFromBytes(text, "test.xml");
}

// Writes the deck into dir and loads it with dir/"work" as the extraction root.
inline std::unique_ptr<TPPTXPresentation> LoadDeck(const TDeckWriter& deck, const TTempDir& dir,
                                                   const std::string& name = "deck.pptx") {
  const std::string file = dir / name;
  deck.Write(file);
  return LoadPPTXPresentation(file, dir / "work");
}

inline std::unique_ptr<TPPTXPresentation> LoadDeck(const TDeckParts& parts, const TTempDir& dir) {
  return LoadDeck(BuildMinimalDeck(parts), dir);
}

// The message of the ETarvikError Action raises; "" when it raises none.
inline std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ETarvikError& e) {
    return e.what();
  }
  return "";
}

// The bytes of a picture header as the sniffer reads them (no pixel data,
// no valid checksums): big-endian numbers, PNG chunks.
inline std::string Be(uint32_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(value >> (8 * i) & 0xFF);
  return out;
}
inline std::string PngChunk(const std::string& type, const std::string& data) {
  return Be(static_cast<uint32_t>(data.size()), 4) + type + data + Be(0, 4);
}
// A PNG of width x height pixels; with a pHYs of pixelsPerMetre on both axes when above 0.
inline std::string PngHeader(uint32_t width, uint32_t height, uint32_t pixelsPerMetre = 0) {
  const std::string depthAndColour("\x08\x02\0\0\0", 5);
  std::string png = "\x89PNG\r\n\x1a\n" + PngChunk("IHDR", Be(width, 4) + Be(height, 4) + depthAndColour);
  if (pixelsPerMetre) png += PngChunk("pHYs", Be(pixelsPerMetre, 4) + Be(pixelsPerMetre, 4) + "\x01");
  return png + PngChunk("IDAT", "");
}

}  // namespace tarvik::test
