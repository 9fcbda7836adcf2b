// fuzz_seeds <folder> [<tiff folder>]: writes hostile packages into the
// folder as seeds for the load fuzzer, so that mutation starts from the
// shapes of attack a real deck never has: entry names that climb out of the
// extraction folder, symbolic links, a decompression bomb, deeply nested
// groups and elements, slides listed over and over, and relationships that
// point outside; and a deck with a TIFF picture. The TIFF folder gets small
// TIFFs in each layout and compression for the TIFF fuzzer.
#include <iostream>
#include <string>

#include "platform/files.h"
#include "support/deck_writer.h"
#include "support/tiff_writer.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

TDeckWriter OneSlide(const std::string& spTree, const std::string& rels = "") {
  TDeckParts parts;
  TSlideParts slide;
  slide.SpTree = spTree;
  slide.Rels = rels;
  parts.Slides.push_back(slide);
  return BuildMinimalDeck(parts);
}

std::string NestedGroups(int depth) {
  std::string open, close;
  for (int i = 0; i < depth; ++i) {
    open += "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"2\" name=\"g\"/><p:cNvGrpSpPr/><p:nvPr/>"
            "</p:nvGrpSpPr><p:grpSpPr/>";
    close += "</p:grpSp>";
  }
  return open + TextShapeXml(3, "deep", 0, 0, 100, 100, "deep") + close;
}

// 8 x 6 RGBA in the given compression and byte order; tiled or palette for some.
TTiffImage SmallTiff(uint32_t compression, bool bigEndian, int variant) {
  TTiffImage image;
  image.BigEndian = bigEndian;
  image.Width = 8, image.Height = 6, image.Compression = compression;
  image.Samples = variant == 2 ? 1 : 4;
  image.Photometric = variant == 2 ? 3 : 2;
  if (variant == 2) image.ColourMap.assign(768, 0x8080);
  else image.ExtraSamples = {2};
  if (variant == 1) image.TileWidth = image.TileHeight = 16;
  else image.RowsPerStrip = 4;
  if (compression == 5 || compression == 8) image.Predictor = 2;
  for (uint32_t i = 0; i < image.Width * image.Height * image.Samples; ++i) image.Pixels += static_cast<char>(i * 7);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: fuzz_seeds <folder> [<tiff folder>]\n";
    return 2;
  }
  const std::string dir = argv[1];
  auto out = [&](const std::string& name) { return JoinPath(dir, name); };
  const std::string text = TextShapeXml(2, "t", 0, 0, 100, 100, "x");

  TDeckWriter slip = OneSlide(text);
  slip.Add("../evil.txt", "x").Add("/abs.txt", "x").Add("..\\win.txt", "x").Add("C:/drive.txt", "x");
  slip.Add("ppt/../../up.txt", "x");
  slip.Write(out("zip_slip.pptx"));

  TDeckWriter link = OneSlide(text);
  link.AddSymlink("ppt/media", "/etc").AddSymlink("ppt/theme/theme1.xml", "/etc/passwd");
  link.Write(out("symlinks.pptx"));

  TDeckWriter bomb = OneSlide(text);
  bomb.AddZeroBomb("ppt/media/zeros.bin", 512ull << 20);
  bomb.Write(out("bomb.pptx"));

  OneSlide(NestedGroups(5000)).Write(out("nested_groups.pptx"));

  TDeckWriter deepXml = OneSlide(text);
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  deepXml.Add("ppt/slides/slide1.xml", "<?xml version=\"1.0\"?>" + deep);
  deepXml.Write(out("nested_elements.pptx"));

  TDeckWriter repeated = OneSlide(text);
  std::string ids;
  for (int i = 0; i < 2000; ++i) ids += "<p:sldId id=\"256\" r:id=\"rId101\"/>";
  std::string pres = repeated.Bytes("ppt/presentation.xml");
  size_t at = pres.find("<p:sldIdLst>") + std::string("<p:sldIdLst>").size();
  repeated.Add("ppt/presentation.xml", pres.insert(at, ids));
  repeated.Write(out("repeated_slides.pptx"));

  TDeckWriter outside = OneSlide(
      PictureXml(2, "p", "rId2", 0, 0, 100, 100) + PictureXml(3, "q", "rId3", 0, 0, 100, 100),
      RelationshipXml("rId2", "image", "../../../../../../etc/passwd") +
          RelationshipXml("rId3", "image", "file:///etc/passwd", true));
  std::string presRels = outside.Bytes("ppt/_rels/presentation.xml.rels");
  presRels.replace(presRels.find("slides/slide1.xml"), 17, "../../../../etc/hostname");
  outside.Add("ppt/_rels/presentation.xml.rels", presRels);
  outside.Write(out("outside_targets.pptx"));

  TDeckWriter tiff = OneSlide(PictureXml(2, "p", "rId2", 0, 0, 100, 100),
                              RelationshipXml("rId2", "image", "../media/image1.tiff"));
  tiff.Add("ppt/media/image1.tiff", WriteTiff(SmallTiff(5, true, 0)));
  tiff.Write(out("tiff_picture.pptx"));
  if (argc == 3) {
    for (uint32_t compression : {1u, 5u, 8u, 32773u})
      for (int variant = 0; variant < 3; ++variant) {
        const std::string name = std::to_string(compression) + "_" + std::to_string(variant) + ".tiff";
        WriteFileBytes(JoinPath(argv[2], name), WriteTiff(SmallTiff(compression, variant == 1, variant)));
      }
  }
  return 0;
}
