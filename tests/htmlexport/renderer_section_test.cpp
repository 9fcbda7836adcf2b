// Slide sections: the wrapper markup, shape order, the object count, and that
// every section is well-formed XML whatever the slide's text holds.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

#include "htmlexport/render_context.h"
#include "htmlexport/svg_renderer.h"
#include "htmlexport/renderer_test_util.h"

namespace tarvik {
namespace {

using test::MakeRun;
using test::MakeShape;
using test::ScratchFolder;

// Replaces every occurrence of `from` with `to`.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
    text.replace(pos, from.size(), to);
  return text;
}

// Parses a section as XML. Sections are HTML fragments with exactly two forms
// that only HTML accepts, the entity "&nbsp;" and the bare attribute
// "controls" of the players; those are given their XML spelling first, so
// anything else that is not well-formed fails.
::testing::AssertionResult ParsesAsXml(const std::string& section, pugi::xml_document& doc) {
  std::string xml = ReplaceAll(section, "&nbsp;", "&#160;");
  xml = ReplaceAll(xml, "<video controls ", "<video controls=\"\" ");
  xml = ReplaceAll(xml, "<audio controls ", "<audio controls=\"\" ");
  pugi::xml_parse_result result = doc.load_string(xml.c_str(), pugi::parse_default);
  if (!result)
    return ::testing::AssertionFailure()
           << result.description() << " at " << result.offset << ": "
           << xml.substr(result.offset > 40 ? result.offset - 40 : 0, 80);
  return ::testing::AssertionSuccess();
}

TEST(RenderSlideSection, EmptySlideGivesSectionAndEmptySvg) {
  TPPTXSlide slide;
  TRenderContext context;
  EXPECT_EQ(RenderSlideSection(slide, 3, 1280, 720, context),
            "<section class=\"slide\" data-index=\"3\" data-title=\"Slide 3\" "
            "style=\"background:#ffffff\"><svg viewBox=\"0 0 1280 720\" role=\"img\" "
            "aria-label=\"Slide 3\" xmlns=\"http://www.w3.org/2000/svg\"></svg></section>");
  slide.HasBackgroundColor = true;
  slide.BackgroundColor = 0x203040;
  EXPECT_NE(RenderSlideSection(slide, 1, 960, 540, context).find("style=\"background:#403020\""),
            std::string::npos);
}

TEST(RenderSlideSection, ShapesFollowListOrder) {
  TPPTXSlide slide;
  slide.Shapes.push_back(MakeShape(skOval, 0, 0, 10, 10));
  slide.Shapes.push_back(MakeShape(skLine, 0, 0, 10, 10));
  slide.Shapes.push_back(MakeShape(skRect, 0, 0, 10, 10));
  TRenderContext context;
  std::string expected;
  for (const auto& shape : slide.Shapes) expected += RenderShape(*shape, context);
  std::string section = RenderSlideSection(slide, 1, 100, 100, context);
  EXPECT_NE(section.find("xmlns=\"http://www.w3.org/2000/svg\">" + expected + "</svg></section>"),
            std::string::npos);
  EXPECT_LT(section.find("<ellipse"), section.find("<line"));
  EXPECT_LT(section.find("<line"), section.find("<rect"));
}

TEST(RenderSlideSection, EverySectionIsWellFormedXml) {
  ScratchFolder dir;
  const std::string picture = dir.Write("p.png", "PNGDATA");
  const std::string video = dir.Write("v.mp4", "VID");

  TPPTXPresentation presentation;
  const std::string hostile = "<b>&amp; \"quoted\" 'single' </section></svg>]]> & <!-- x -->";
  for (int s = 0; s < 2; ++s) {
    auto slide = std::make_unique<TPPTXSlide>();
    auto text = MakeShape(skText, 5, 5, 300, 100);
    text->HasFill = true;
    text->HasLine = true;
    text->GeometryKind = s == 0 ? skOval : skRoundRect;
    text->RotationDeg = 12;
    TPPTXParagraph p;
    p.Bullet = true;
    p.BulletChar = "\xE2\x80\xA2";  // U+2022
    TPPTXTextRun run = MakeRun(hostile + "\r\nline two\rthree\nfour");
    run.FontName = "A&B \"Font\"";
    p.Runs.push_back(run);
    text->Paragraphs.push_back(p);
    text->Paragraphs.push_back(TPPTXParagraph{});  // no runs: &nbsp;
    slide->Shapes.push_back(std::move(text));
    auto image = MakeShape(skImage, 10, 10, 50, 50);
    image->MediaFile = picture;
    image->CropLeft = 10000;
    image->FlipH = true;
    image->PictureOpacity = 0.5;
    image->PictureDuotone.Used = true;
    slide->Shapes.push_back(std::move(image));
    auto missing = MakeShape(skImage, 10, 10, 50, 50);
    missing->MediaFile = JoinPath(dir.Path(), "gone.png");
    slide->Shapes.push_back(std::move(missing));
    auto player = MakeShape(skVideo, 0, 0, 320, 240);
    player->MediaFile = video;
    slide->Shapes.push_back(std::move(player));
    auto audio = MakeShape(skAudio, 0, 0, 32, 32);
    audio->MediaFile = JoinPath(dir.Path(), "gone.mp3");
    slide->Shapes.push_back(std::move(audio));
    auto line = MakeShape(skLine, 0, 0, 100, 10);
    line->RotationDeg = 33.3;
    line->FlipV = true;
    slide->Shapes.push_back(std::move(line));
    for (auto kind : {skRect, skOval, skRoundRect, skOther})
      slide->Shapes.push_back(MakeShape(kind, 1, 2, 3, 4));
    presentation.Slides.push_back(std::move(slide));
  }

  TRenderContext context(presentation);
  for (size_t i = 0; i < presentation.Slides.size(); ++i) {
    std::string section =
        RenderSlideSection(*presentation.Slides[i], static_cast<int>(i + 1), 960, 540, context);
    pugi::xml_document doc;
    ASSERT_TRUE(ParsesAsXml(section, doc)) << "slide " << i + 1;
    pugi::xml_node root = doc.document_element();
    EXPECT_STREQ(root.name(), "section");
    EXPECT_EQ(root.attribute("data-index").as_int(), static_cast<int>(i + 1));
    pugi::xml_node svg = root.child("svg");
    ASSERT_TRUE(svg);
    EXPECT_STREQ(svg.attribute("viewBox").value(), "0 0 960 540");
    // text survives escaping unchanged
    std::string spanText;
    for (pugi::xml_node t : svg.child("foreignObject").first_child().first_child().children("span"))
      spanText += t.text().get();
    EXPECT_NE(spanText.find(hostile), std::string::npos) << spanText;
    // the missing picture draws nothing: one clip per slide
    EXPECT_EQ(svg.select_nodes("defs/clipPath").size(), 1u);
    EXPECT_TRUE(svg.select_node("g[@clip-path and @opacity='0.5']")) << "a see-through picture";
    // A two-tone picture is drawn through a filter its own defs hold.
    const std::string tone = svg.select_node("g[@clip-path and @filter]").node().attribute("filter").value();
    ASSERT_GT(tone.size(), 6u);
    EXPECT_TRUE(svg.select_node(("defs/filter[@id='" + tone.substr(5, tone.size() - 6) + "']").c_str())) << tone;
    EXPECT_TRUE(svg.select_node("foreignObject/audio[@src='']"));
  }
  EXPECT_EQ(ObjectCount(presentation), 20);
}

TEST(ObjectCount, CountsEveryListedShape) {
  TPPTXPresentation presentation;
  EXPECT_EQ(ObjectCount(presentation), 0);
  presentation.Slides.push_back(std::make_unique<TPPTXSlide>());
  auto slide = std::make_unique<TPPTXSlide>();
  slide->Shapes.push_back(MakeShape(skImage, 0, 0, 1, 1));  // no file: drawn as nothing, still counted
  slide->Shapes.push_back(MakeShape(skVideo, 0, 0, 1, 1));
  slide->Shapes.push_back(MakeShape(skText, 0, 0, 1, 1));
  presentation.Slides.push_back(std::move(slide));
  EXPECT_EQ(ObjectCount(presentation), 3);
}

}  // namespace
}  // namespace tarvik
