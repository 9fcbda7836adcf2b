// Each shape kind's SVG fragment: pictures with crops and flips, media,
// lines with flips and rotation, geometric shapes, and the clip identifiers.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "htmlexport/data_uri.h"
#include "htmlexport/render_context.h"
#include "htmlexport/svg_renderer.h"
#include "htmlexport/renderer_test_util.h"

namespace tarvik {
namespace {

using test::MakeShape;
using test::ScratchFolder;

const std::string kPngUri = "data:image/png;base64,UE5HREFUQQ==";  // "PNGDATA"

TEST(SvgTransform, TurnsAndMirrorsAboutTheBoxCentre) {
  EXPECT_EQ(SvgTransform(false, false, 0, 10, 20, 100, 50),
            "translate(60 45) scale(1 1) rotate(0) translate(-60 -45)");
  EXPECT_EQ(SvgTransform(true, false, 30, 10, 20, 100, 50),
            "translate(60 45) scale(-1 1) rotate(30) translate(-60 -45)");
  EXPECT_EQ(SvgTransform(false, true, -12.5, 0, 0, 3, 1),
            "translate(1.5 0.5) scale(1 -1) rotate(-12.5) translate(-1.5 -0.5)");
}

TEST(RenderShape, TextBoxWithPaintIsPrecededByItsGeometry) {
  struct Case {
    TPPTXShapeKind geometry;
    const char* element;
  } cases[] = {
      {skOval, "<ellipse cx=\"60\" cy=\"45\" rx=\"50\" ry=\"25\" fill=\"#FF0000\" stroke=\"none\" "
               "stroke-width=\"0\"/>"},
      {skRoundRect, "<rect x=\"10\" y=\"20\" width=\"100\" height=\"50\" rx=\"6\" fill=\"#FF0000\" "
                    "stroke=\"none\" stroke-width=\"0\" transform=\"translate(60 45) scale(1 1) "
                    "rotate(30) translate(-60 -45)\"/>"},
      {skRect, "<rect x=\"10\" y=\"20\" width=\"100\" height=\"50\" fill=\"#FF0000\" stroke=\"none\" "
               "stroke-width=\"0\" transform=\"translate(60 45) scale(1 1) rotate(30) "
               "translate(-60 -45)\"/>"},
  };
  for (TPPTXShapeKind geometry : {skOval, skRoundRect, skRect, skOther, skLine, skText}) {
    const Case* expected = &cases[2];
    for (const auto& c : cases)
      if (c.geometry == geometry) expected = &c;
    auto shape = MakeShape(skText, 10, 20, 100, 50);
    shape->GeometryKind = geometry;
    shape->RotationDeg = 30;
    shape->HasFill = true;
    shape->FillColor = 0x0000FF;
    TRenderContext context;
    EXPECT_EQ(RenderShape(*shape, context), expected->element + RenderTextShape(*shape))
        << ShapeKindName(geometry);
  }
}

TEST(RenderShape, TextBoxOutlineAloneAlsoDrawsGeometry) {
  auto shape = MakeShape(skText, 10, 20, 100, 50);
  shape->GeometryKind = skRect;
  shape->HasLine = true;
  shape->LineColor = 0x00FF00;
  shape->LineWidthPt = 0.25;
  TRenderContext context;
  std::string out = RenderShape(*shape, context);
  EXPECT_EQ(out.rfind("<rect x=\"10\" y=\"20\" width=\"100\" height=\"50\" fill=\"none\" "
                      "stroke=\"#00FF00\" stroke-width=\"0.5\" transform=",
                      0),
            0u)
      << out;
  // without paint, only the text
  shape->HasLine = false;
  EXPECT_EQ(RenderShape(*shape, context), RenderTextShape(*shape));
}

TEST(RenderShape, GeometricShapes) {
  struct Case {
    TPPTXShapeKind kind;
    bool flip;
    double deg;
    const char* out;
  } cases[] = {
      {skRect, true, 0,
       "<rect x=\"10\" y=\"20\" width=\"100\" height=\"50\" fill=\"#0000FF\" stroke=\"#000000\" "
       "stroke-width=\"3\" transform=\"translate(60 45) scale(1 1) rotate(0) translate(-60 -45)\"/>"},
      {skOther, false, 15,
       "<rect x=\"10\" y=\"20\" width=\"100\" height=\"50\" fill=\"#0000FF\" stroke=\"#000000\" "
       "stroke-width=\"3\" transform=\"translate(60 45) scale(1 1) rotate(15) translate(-60 -45)\"/>"},
      {skRoundRect, true, -45,
       "<rect x=\"10\" y=\"20\" width=\"100\" height=\"50\" rx=\"6\" fill=\"#0000FF\" stroke=\"#000000\" "
       "stroke-width=\"3\" transform=\"translate(60 45) scale(1 1) rotate(-45) translate(-60 -45)\"/>"},
      {skOval, true, 45,
       "<ellipse cx=\"60\" cy=\"45\" rx=\"50\" ry=\"25\" fill=\"#0000FF\" stroke=\"#000000\" "
       "stroke-width=\"3\"/>"},
  };
  for (const auto& c : cases) {
    auto shape = MakeShape(c.kind, 10, 20, 100, 50);
    shape->FlipH = shape->FlipV = c.flip;
    shape->RotationDeg = c.deg;
    shape->HasFill = true;
    shape->FillColor = 0xFF0000;
    shape->HasLine = true;
    shape->LineWidthPt = 2.25;
    TRenderContext context;
    EXPECT_EQ(RenderShape(*shape, context), c.out) << ShapeKindName(c.kind);
  }
  auto unpainted = MakeShape(skRect, 1, 2, 3, 4);
  TRenderContext context;
  EXPECT_EQ(RenderShape(*unpainted, context),
            "<rect x=\"1\" y=\"2\" width=\"3\" height=\"4\" fill=\"none\" stroke=\"none\" "
            "stroke-width=\"0\" transform=\"translate(2.5 4) scale(1 1) rotate(0) translate(-2.5 -4)\"/>");
  auto outside = MakeShape(static_cast<TPPTXShapeKind>(42), 1, 2, 3, 4);
  EXPECT_EQ(RenderShape(*outside, context), "");
}

TEST(RenderShape, LineEndPointsFollowFlipsAndRotation) {
  struct Case {
    bool flipH, flipV;
    double deg;
    const char* points;
  } cases[] = {
      {false, false, 0, "x1=\"10\" y1=\"20\" x2=\"110\" y2=\"70\""},
      {true, true, 0, "x1=\"110\" y1=\"70\" x2=\"10\" y2=\"20\""},
      {true, false, 0, "x1=\"110\" y1=\"20\" x2=\"10\" y2=\"70\""},
      {false, true, 0, "x1=\"10\" y1=\"70\" x2=\"110\" y2=\"20\""},
      {false, false, 90, "x1=\"85\" y1=\"-5\" x2=\"35\" y2=\"95\""},
      {true, true, 90, "x1=\"35\" y1=\"95\" x2=\"85\" y2=\"-5\""},
      {false, true, 90, "x1=\"35\" y1=\"-5\" x2=\"85\" y2=\"95\""},
      {true, false, -90, "x1=\"35\" y1=\"-5\" x2=\"85\" y2=\"95\""},
      {false, false, 180, "x1=\"110\" y1=\"70\" x2=\"10\" y2=\"20\""},
      {false, false, 0.005, "x1=\"10\" y1=\"20\" x2=\"110\" y2=\"70\""},
  };
  for (const auto& c : cases) {
    auto shape = MakeShape(skLine, 10, 20, 100, 50);
    shape->FlipH = c.flipH;
    shape->FlipV = c.flipV;
    shape->RotationDeg = c.deg;
    TRenderContext context;
    EXPECT_EQ(RenderShape(*shape, context),
              std::string("<line ") + c.points + " stroke=\"#000000\" stroke-width=\"0.5\"/>")
        << c.flipH << c.flipV << " " << c.deg;
  }
  auto shape = MakeShape(skLine, 0, 0, 10, 0);
  shape->HasLine = true;
  shape->LineColor = 0x336699;
  shape->LineWidthPt = 3;
  shape->RotationDeg = 45;
  TRenderContext context;
  EXPECT_EQ(RenderShape(*shape, context),
            "<line x1=\"1.464\" y1=\"-3.536\" x2=\"8.536\" y2=\"3.536\" fill=\"none\" stroke=\"#996633\" "
            "stroke-width=\"4\"/>");
}

TEST(RenderImageShape, DrawsCroppedPictureInsideTheClip) {
  ScratchFolder dir;
  auto shape = MakeShape(skImage, 10, 20, 100, 50);
  shape->MediaFile = dir.Write("pic.png", "PNGDATA");
  shape->CropLeft = 25000;
  shape->CropRight = 25000;
  shape->CropTop = 10000;
  TRenderContext context;
  const std::string id = context.ClipIdFor(*shape);
  EXPECT_EQ(RenderImageShape(*shape, "", context),
            "<defs><clipPath id=\"" + id +
                "\"><rect x=\"10\" y=\"20\" width=\"100\" height=\"50\"/></clipPath></defs>"
                "<g transform=\"translate(60 45) scale(1 1) rotate(0) translate(-60 -45)\" "
                "clip-path=\"url(#" + id + ")\"><image href=\"" + kPngUri +
                "\" x=\"-40\" y=\"14.444\" width=\"200\" height=\"55.556\" "
                "preserveAspectRatio=\"none\"/></g>");
  EXPECT_EQ(RenderShape(*shape, context), RenderImageShape(*shape, "", context));
}

TEST(RenderImageShape, CropFractionsAreLimited) {
  struct Case {
    int32_t left, top, right, bottom;
    const char* geometry;
  } cases[] = {
      // left and right add up past 1: a visible fraction of 0.01 remains
      {60000, 0, 60000, 0, "x=\"-5990\" y=\"20\" width=\"10000\" height=\"50\""},
      // negative crops count as none
      {-50000, -10, 0, 0, "x=\"10\" y=\"20\" width=\"100\" height=\"50\""},
      // a single crop stops at 0.99
      {150000, 0, 0, 0, "x=\"-9890\" y=\"20\" width=\"10000\" height=\"50\""},
      {0, 0, 0, 50000, "x=\"10\" y=\"20\" width=\"100\" height=\"100\""},
  };
  ScratchFolder dir;
  const std::string file = dir.Write("pic.png", "PNGDATA");
  for (const auto& c : cases) {
    auto shape = MakeShape(skImage, 10, 20, 100, 50);
    shape->MediaFile = file;
    shape->CropLeft = c.left;
    shape->CropTop = c.top;
    shape->CropRight = c.right;
    shape->CropBottom = c.bottom;
    TRenderContext context;
    std::string out = RenderShape(*shape, context);
    EXPECT_NE(out.find(std::string("\" ") + c.geometry + " preserveAspectRatio"), std::string::npos)
        << out;
  }
}

TEST(RenderImageShape, FlipsAndTurnsThePictureWithItsClip) {
  ScratchFolder dir;
  auto shape = MakeShape(skImage, 10, 20, 100, 50);
  shape->MediaFile = dir.Write("pic.png", "PNGDATA");
  shape->FlipH = true;
  shape->RotationDeg = 30;
  TRenderContext context;
  EXPECT_NE(RenderShape(*shape, context)
                .find("<g transform=\"translate(60 45) scale(-1 1) rotate(30) translate(-60 -45)\""),
            std::string::npos);
}

TEST(RenderImageShape, MissingOrEmptyPictureDrawsNothing) {
  ScratchFolder dir;
  auto shape = MakeShape(skImage, 10, 20, 100, 50);
  TRenderContext context;
  EXPECT_EQ(RenderShape(*shape, context), "");
  shape->MediaFile = JoinPath(dir.Path(), "absent.png");
  EXPECT_EQ(RenderShape(*shape, context), "");
  shape->MediaFile = dir.Write("empty.png", "");
  EXPECT_EQ(RenderShape(*shape, context), "");
  shape->MediaFile = dir.Path();  // a folder is no picture
  EXPECT_EQ(RenderShape(*shape, context), "");
  // an explicit file name wins over MediaFile
  EXPECT_NE(RenderImageShape(*shape, dir.Write("x.jpg", "PNGDATA"), context)
                .find("href=\"data:image/jpeg;base64,UE5HREFUQQ==\""),
            std::string::npos);
}

TEST(RenderShape, MediaShapes) {
  ScratchFolder dir;
  const std::string poster = dir.Write("poster.png", "PNGDATA");
  const std::string audio = dir.Write("sound.mp3", "MP3");
  const std::string video = dir.Write("clip.mp4", "VID");
  const std::string missing = JoinPath(dir.Path(), "gone.mp4");
  TRenderContext context;

  for (TPPTXShapeKind kind : {skVideo, skAudio}) {
    auto shape = MakeShape(kind, 10, 20, 100, 50);
    shape->MediaFile = kind == skVideo ? video : audio;
    shape->PosterImage = poster;
    shape->FlipV = true;
    std::string out = RenderShape(*shape, context);
    EXPECT_EQ(out, RenderImageShape(*shape, poster, context)) << ShapeKindName(kind);
    EXPECT_NE(out.find("scale(1 -1)"), std::string::npos);
    EXPECT_EQ(out.find("<video"), std::string::npos);
    EXPECT_EQ(out.find("<audio"), std::string::npos);
    shape->MediaFile.clear();
    shape->PosterImage.clear();
    EXPECT_EQ(RenderShape(*shape, context), "") << ShapeKindName(kind);
  }

  auto shape = MakeShape(skVideo, 10, 20, 100, 50);
  shape->MediaFile = video;
  shape->RotationDeg = 45;  // players take no rotation
  EXPECT_EQ(RenderShape(*shape, context),
            "<foreignObject x=\"10\" y=\"20\" width=\"100\" height=\"50\"><video controls "
            "width=\"100%\" height=\"100%\" src=\"data:video/mp4;base64,VklE\"></video></foreignObject>");
  shape->MediaFile = missing;
  EXPECT_EQ(RenderShape(*shape, context),
            "<foreignObject x=\"10\" y=\"20\" width=\"100\" height=\"50\"><video controls "
            "width=\"100%\" height=\"100%\" src=\"\"></video></foreignObject>");
  shape->Kind = skAudio;
  shape->MediaFile = audio;
  EXPECT_EQ(RenderShape(*shape, context),
            "<foreignObject x=\"10\" y=\"20\" width=\"100\" height=\"50\"><audio controls "
            "src=\"data:audio/mpeg;base64,TVAz\"></audio></foreignObject>");
  shape->MediaFile = "https://example.com/talk.mp3";  // external target
  EXPECT_NE(RenderShape(*shape, context).find("src=\"\""), std::string::npos);
}

TEST(ClipIds, AreUniqueWithinOnePresentationAndStablePerShape) {
  TPPTXPresentation presentation;
  for (int s = 0; s < 3; ++s) {
    auto slide = std::make_unique<TPPTXSlide>();
    for (int i = 0; i < 40; ++i) slide->Shapes.push_back(MakeShape(skImage, i, i, 10, 10));
    presentation.Slides.push_back(std::move(slide));
  }
  TRenderContext context(presentation);
  auto wellFormed = [](const std::string& id) {
    return id.size() == 13 && id.rfind("clip_", 0) == 0 &&
           id.find_first_not_of("0123456789ABCDEF", 5) == std::string::npos;
  };
  std::set<std::string> seen;
  // render the last slide first: identifiers do not depend on the order
  for (int s = 2; s >= 0; --s)
    for (const auto& shape : presentation.Slides[s]->Shapes) {
      std::string id = context.ClipIdFor(*shape);
      EXPECT_TRUE(wellFormed(id)) << id;
      EXPECT_TRUE(seen.insert(id).second) << "duplicate " << id;
      EXPECT_EQ(context.ClipIdFor(*shape), id);
    }
  EXPECT_EQ(context.ClipIdFor(*presentation.Slides[0]->Shapes[0]), "clip_00000001");
  EXPECT_EQ(context.ClipIdFor(*presentation.Slides[2]->Shapes[39]), "clip_00000078");
  // a shape from outside the presentation still gets a fresh identifier
  auto stray = MakeShape(skImage, 0, 0, 1, 1);
  EXPECT_TRUE(seen.insert(context.ClipIdFor(*stray)).second);
}

TEST(DataUris, FileUsedTwiceIsEmbeddedInBothShapes) {
  ScratchFolder dir;
  const std::string file = dir.Write("shared.png", "PNGDATA");
  TPPTXPresentation presentation;
  auto slide = std::make_unique<TPPTXSlide>();
  for (int i = 0; i < 2; ++i) {
    auto shape = MakeShape(skImage, 0, 0, 10, 10);
    shape->MediaFile = file;
    slide->Shapes.push_back(std::move(shape));
  }
  presentation.Slides.push_back(std::move(slide));
  TRenderContext context(presentation);
  const auto& shapes = presentation.Slides[0]->Shapes;
  EXPECT_NE(RenderShape(*shapes[0], context).find(kPngUri), std::string::npos);
  // the second use is served even if the file went away meanwhile...
  std::filesystem::remove(file);
  EXPECT_NE(RenderShape(*shapes[1], context).find(kPngUri), std::string::npos);
  // ...but nothing is kept past the counted uses
  EXPECT_EQ(RenderShape(*shapes[1], context), "");
}

TEST(FileToDataUri, EmptyForMissingOrEmptyFiles) {
  ScratchFolder dir;
  EXPECT_EQ(FileToDataUri(""), "");
  EXPECT_EQ(FileToDataUri(JoinPath(dir.Path(), "none.png")), "");
  EXPECT_EQ(FileToDataUri(dir.Write("zero.png", "")), "");
  EXPECT_EQ(FileToDataUri(dir.Write("a.PNG", "PNGDATA")), kPngUri);
  EXPECT_EQ(FileToDataUri(dir.Write("b.emf", "f")), "data:application/octet-stream;base64,Zg==");
  std::string out = "x";
  EXPECT_FALSE(AppendFileDataUri(out, ""));
  EXPECT_EQ(out, "x");
}

}  // namespace
}  // namespace tarvik

TEST(RenderShape, AMetafileNoConverterDrewIsALabelledBoxNotNothing) {
  auto shape = tarvik::test::MakeShape(tarvik::skImage, 10, 20, 100, 50);
  shape->MediaFile = "/nowhere/image1.emf";
  shape->UndrawablePicture = true;
  tarvik::TRenderContext context;
  const std::string out = tarvik::RenderShape(*shape, context);
  EXPECT_NE(out.find("<rect x=\"10\" y=\"20\" width=\"100\" height=\"50\""), std::string::npos) << out;
  EXPECT_NE(out.find(">Picture</text>"), std::string::npos) << out;
  EXPECT_EQ(out.find("<image"), std::string::npos) << out;
}
