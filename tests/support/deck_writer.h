// Writes .pptx packages for tests and tools: a list of named entries (XML
// strings, picture bytes, or deliberately hostile entries) goes in, a ZIP file
// with fixed timestamps comes out, byte for byte the same on every run.
// BuildMinimalDeck assembles the parts every valid deck needs around the
// slides a test describes, so a test states only what it is about.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "package/zip_writer.h"

namespace tarvik::test {

class TDeckWriter {
 public:
  using TStorage = TZipMethod;

  // Adds an entry, or replaces the bytes of an entry of that name while
  // keeping its place in the archive. Names go into the archive unchanged
  // ("../evil.txt", "/abs", "a\\b" included).
  TDeckWriter& Add(const std::string& name, const std::string& bytes,
                   TStorage storage = TStorage::Deflated);
  // Adds the bytes of a file on disk under Name.
  TDeckWriter& AddFile(const std::string& name, const std::string& path,
                       TStorage storage = TStorage::Deflated);
  // A Unix symbolic link entry pointing at Target (mode 0120777 in the
  // external attributes, the target as content).
  TDeckWriter& AddSymlink(const std::string& name, const std::string& target);
  // An entry whose compressed bytes are given as a raw deflate stream and
  // whose header states DeclaredSize and Crc as given, true or not. Lets a
  // test build decompression bombs and lying headers without the gigabytes.
  TDeckWriter& AddRawDeflate(const std::string& name, const std::string& deflateStream,
                             uint64_t declaredSize, uint32_t crc);
  // A deflated entry of Size zero bytes with truthful header values, made in
  // milliseconds whatever the size (about 1/160 of Size on disk).
  TDeckWriter& AddZeroBomb(const std::string& name, uint64_t size);
  // Unix permission bits (for example 0444) recorded for an entry.
  TDeckWriter& SetUnixMode(const std::string& name, uint32_t mode);

  TDeckWriter& Remove(const std::string& name);
  bool Has(const std::string& name) const;
  // The bytes of an entry; empty when absent.
  std::string Bytes(const std::string& name) const;
  std::vector<std::string> Names() const;

  // Writes the archive, replacing File. Raises ETarvikError on failure.
  void Write(const std::string& file) const;

 private:
  TZipEntry* Find(const std::string& name);
  const TZipEntry* Find(const std::string& name) const;
  std::vector<TZipEntry> Entries;
};

// One slide of a minimal deck.
struct TSlideParts {
  // The children of p:spTree after its nvGrpSpPr and grpSpPr: sp, pic, grpSp,
  // cxnSp, graphicFrame elements using the a:, p: and r: prefixes.
  std::string SpTree;
  // Extra <Relationship .../> elements of the slide's rels part (pictures,
  // media, hyperlinks). rId1 is taken by the layout when the deck has one.
  std::string Rels;
  // The children of p:bg (for example <p:bgPr>...</p:bgPr>); none when empty.
  std::string Background;
  // Which layout the slide uses: 1 is the deck's LayoutSpTree, 2 and up MoreLayouts.
  int Layout = 1;
};

// A further slide layout, after the first.
struct TLayoutParts {
  std::string Type = "obj";  // the sldLayout type attribute ("title", "obj" ...)
  std::string Name = "Layout";
  std::string SpTree;
};

struct TDeckParts {
  int64_t SlideWidthEmu = 12192000;
  int64_t SlideHeightEmu = 6858000;
  std::string MajorFont = "Calibri Light";
  std::string MinorFont = "Calibri";
  // The children of a:clrScheme; empty gives the usual Office colours.
  std::string ColorScheme;
  // With a layout, every slide relates to ppt/slideLayouts/slideLayout1.xml,
  // which relates to ppt/slideMasters/slideMaster1.xml.
  bool WithLayout = true;
  // spTree children of the layout and the master (placeholders to borrow from).
  std::string LayoutSpTree;
  std::string MasterSpTree;
  // The children of the master's p:txStyles (titleStyle, bodyStyle ...); none when empty.
  std::string MasterTextStyles;
  // ppt/slideLayouts/slideLayout2.xml and on, also related to the master.
  std::vector<TLayoutParts> MoreLayouts;
  std::vector<TSlideParts> Slides;
};

// The parts of a valid deck: [Content_Types].xml, _rels/.rels,
// ppt/presentation.xml (sldSz, sldIdLst), its rels, ppt/theme/theme1.xml,
// the optional layout and master, and ppt/slides/slideN.xml with
// ppt/slides/_rels/slideN.xml.rels. Add pictures with Add("ppt/media/...").
TDeckWriter BuildMinimalDeck(const TDeckParts& parts);

// The XML of one slide part around the given spTree children and background.
std::string SlideXml(const std::string& spTree, const std::string& background = "");
// The usual Office colour scheme children (dk1, lt1, dk2, lt2, accent1-6, hlink, folHlink).
std::string DefaultColorScheme();

// Small builders for the common shapes, in EMU, to keep tests short.
// A text shape with one paragraph of one run; Geometry is the prstGeom preset
// ("" writes no prstGeom).
std::string TextShapeXml(int id, const std::string& name, int64_t x, int64_t y, int64_t cx,
                         int64_t cy, const std::string& text, const std::string& geometry = "rect");
// A picture of relationship RelId.
std::string PictureXml(int id, const std::string& name, const std::string& relId, int64_t x,
                       int64_t y, int64_t cx, int64_t cy);
// A relationship element of a slide's rels part.
std::string RelationshipXml(const std::string& id, const std::string& typeSuffix,
                            const std::string& target, bool external = false);

// The relationship type URIs, by their last segment ("image", "slideLayout" ...).
std::string RelType(const std::string& suffix);

// Namespaces of the PresentationML parts.
inline constexpr const char* kNsA = "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr const char* kNsP = "http://schemas.openxmlformats.org/presentationml/2006/main";
inline constexpr const char* kNsR =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

}  // namespace tarvik::test
