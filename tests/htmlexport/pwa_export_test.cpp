// The PWA texts' rules (icon label, manifest JSON, markup insertion, the
// precache list) and the export on generated decks: what it adds to the
// web folder, what the worker caches, and a new cache for every export.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "cli/json_reader.h"
#include "htmlexport/pwa_export.h"
#include "htmlexport/renderer_test_util.h"
#include "platform/files.h"
#include "platform/system.h"
#include "support/deck_writer.h"

namespace tarvik {
namespace {

using test::ScratchFolder;

test::TJson ParseJson(const std::string& text) {
  test::TJson json;
  test::TJsonParser parser(text);
  EXPECT_TRUE(parser.Parse(json)) << parser.Error << ": " << text;
  return json;
}

std::string Between(const std::string& text, const std::string& open, const std::string& close) {
  size_t start = text.find(open);
  if (start == std::string::npos) return "";
  start += open.size();
  return text.substr(start, text.find(close, start) - start);
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(BuildAppIconSvg, LabelsWithTheFirstTwoWholeCharactersEscaped) {
  const std::pair<std::string, std::string> cases[] = {
      {"Deck", "De"}, {"A", "A"}, {"", ""}, {"A&B", "A&amp;"}, {"<>x", "&lt;&gt;"},
      {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t"}, {"\xF0\x9F\x98\x80\xF0\x9F\x8E\x89!", "\xF0\x9F\x98\x80\xF0\x9F\x8E\x89"},
  };
  for (const auto& [title, label] : cases) {
    std::string icon = BuildAppIconSvg(title, 192);
    EXPECT_EQ(Between(icon, "fill=\"#1e3a8a\">", "</text>"), label) << title;
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(icon.c_str())) << title;
    EXPECT_STREQ(doc.child("svg").attribute("width").value(), "192");
  }
}

TEST(BuildWebManifest, IsOneLineOfJsonNamingTheTitleWhateverItHolds) {
  for (const std::string title : {"Plain", "say \"hi\"", "C:\\decks\\old", "tab\there", "Caf\xC3\xA9 </script>"}) {
    std::string manifest = BuildWebManifest(title, "./index.html");
    EXPECT_EQ(manifest.find('\n'), std::string::npos);
    test::TJson json = ParseJson(manifest);
    std::vector<std::string> keys;
    for (const auto& member : json.Members) keys.push_back(member.first);
    EXPECT_EQ(keys, (std::vector<std::string>{"name", "short_name", "description", "start_url", "scope", "display",
                                              "orientation", "background_color", "theme_color", "icons"}));
    EXPECT_EQ(json["name"].S, title);
    EXPECT_EQ(json["short_name"].S, title);
    EXPECT_EQ(json["start_url"].S, "./index.html");
    ASSERT_EQ(json["icons"].Items.size(), 2u);
    EXPECT_EQ(json["icons"][1]["sizes"].S, "512x512");
  }
}

TEST(InjectPwaMarkup, InsertsBeforeEveryExactHeadAndBodyEnd) {
  const std::string page = "<html><head><title>x</title></head><body><p>a</p></body><HEAD></HEAD></html>";
  std::string out = InjectPwaMarkup(page);
  EXPECT_EQ(Count(out, "<link rel=\"manifest\" href=\"manifest.webmanifest\">"), 1u);
  EXPECT_LT(out.find("manifest.webmanifest"), out.find("</head>"));
  EXPECT_LT(out.find("id=\"TarvikInstall\""), out.find("id=\"TarvikOffline\""));
  EXPECT_LT(out.find("service-worker.js"), out.find("</body>"));
  EXPECT_NE(out.find("</head><body><p>a</p>"), std::string::npos) << "the head block goes before </head> only";
  EXPECT_NE(out.find("<HEAD></HEAD>"), std::string::npos);
  EXPECT_EQ(InjectPwaMarkup("<p>no document ends</p>"), "<p>no document ends</p>");
  EXPECT_EQ(Count(InjectPwaMarkup("</body></body>"), "TarvikInstall\""), 2u);
}

TEST(BuildServiceWorker, ListsThePathsAsQuotedStringsInOrder) {
  const std::vector<std::string> paths = {"index.html", "assets/a%23b%25.png", "odd\"name\\x"};
  std::string worker = BuildServiceWorker("Tarvik-0123", paths);
  EXPECT_NE(worker.find("const CACHE_NAME=\"Tarvik-0123\";"), std::string::npos);
  test::TJson list = ParseJson("[" + Between(worker, "const PRECACHE=[", "];") + "]");
  ASSERT_EQ(list.Items.size(), paths.size());
  for (size_t i = 0; i < paths.size(); ++i) EXPECT_EQ(list[i].S, paths[i]);
}

TEST(PrecacheList, EveryFileAsAnEncodedUrlPathButTheWorkerItself) {
  ScratchFolder folder;
  for (const char* name : {"index.html", "Service-Worker.js", "my notes.txt", "assets/a#b%.png", "assets/b.png",
                           "assets/deep/c.svg", "sub/service-worker.js"}) {
    ForceDirectories(ExtractFileDir(JoinPath(folder.Path(), name)));
    folder.Write(name, "x");
  }
  std::vector<std::string> list = PrecacheList(folder.Path());
  std::vector<std::string> sorted = list;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::string>{"assets/a%23b%25.png", "assets/b.png", "assets/deep/c.svg",
                                              "index.html", "my%20notes.txt", "sub/service-worker.js"}));
  // Depth first: a folder's files stand together at the folder's place.
  auto first = std::find_if(list.begin(), list.end(), [](const std::string& p) { return p.starts_with("assets/"); });
  EXPECT_TRUE(std::all_of(first, first + 3, [](const std::string& p) { return p.starts_with("assets/"); }));
}

class PwaExport : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return JoinPath(scratch_.Path(), name); }

  std::string WriteDeck(const std::string& name) const {
    test::TDeckParts parts;
    for (int i = 0; i < 2; ++i) {
      test::TSlideParts slide;
      slide.SpTree = test::PictureXml(2, "Picture", "rId10", 0, 0, 952500, 952500);
      slide.Rels = test::RelationshipXml("rId10", "image", "../media/picture.png");
      parts.Slides.push_back(slide);
    }
    test::TDeckWriter deck = test::BuildMinimalDeck(parts);
    deck.Add("ppt/media/picture.png", "not really a PNG");
    std::string path = Path(name);
    deck.Write(path);
    return path;
  }

  ScratchFolder scratch_;
  test::TempVariable temp_{scratch_.Path()};
};

TEST_F(PwaExport, AddsManifestIconsAndAWorkerThatCachesTheWholeFolder) {
  std::string deck = WriteDeck("Talk.pptx");
  std::string out = Path("Talk_PWA");
  ForceDirectories(out);
  WriteFileBytes(JoinPath(out, "service-worker.js"), "// an earlier export's worker");
  WriteFileBytes(JoinPath(out, "notes #1.txt"), "left by the author");
  int slides = 0, objects = 0;
  ASSERT_TRUE(ExportPWA(deck, out, slides, objects));
  EXPECT_EQ(slides, 2);
  EXPECT_EQ(objects, 2);

  std::string index = ReadFileBytes(JoinPath(out, "index.html"));
  EXPECT_TRUE(index.starts_with("<!DOCTYPE html>")) << "no byte order mark";
  EXPECT_EQ(Count(index, "rel=\"manifest\""), 1u);
  EXPECT_EQ(Count(index, "id=\"TarvikInstall\""), 1u);
  EXPECT_EQ(ParseJson(ReadFileBytes(JoinPath(out, "manifest.webmanifest")))["name"].S, "Talk");
  EXPECT_TRUE(ReadFileBytes(JoinPath(out, "icons/icon-512.svg")).starts_with("<svg"));

  std::string worker = ReadFileBytes(JoinPath(out, "service-worker.js"));
  test::TJson list = ParseJson("[" + Between(worker, "const PRECACHE=[", "];") + "]");
  std::set<std::string> cached;
  for (const auto& item : list.Items) cached.insert(item.S);
  EXPECT_EQ(cached, (std::set<std::string>{"index.html", "manifest.webmanifest", "icons/icon-192.svg",
                                           "icons/icon-512.svg", "assets/asset_0001.png", "notes%20%231.txt"}));
  const std::string cacheName = Between(worker, "const CACHE_NAME=\"", "\"");
  EXPECT_TRUE(cacheName.starts_with("Tarvik-")) << cacheName;
  EXPECT_EQ(cacheName.size(), 7u + 32u);

  ASSERT_TRUE(ExportPWA(deck, out, slides, objects));
  std::string again = ReadFileBytes(JoinPath(out, "service-worker.js"));
  EXPECT_NE(Between(again, "const CACHE_NAME=\"", "\""), cacheName) << "every export has a cache of its own";
  EXPECT_EQ(Count(ReadFileBytes(JoinPath(out, "index.html")), "rel=\"manifest\""), 1u);
}

TEST_F(PwaExport, AddsNothingToAFailedWebFolder) {
  std::string broken = Path("Broken.pptx");
  WriteFileBytes(broken, "not a package");
  int slides = 0, objects = 0;
  EXPECT_FALSE(ExportPWA(broken, Path("broken"), slides, objects));
  EXPECT_FALSE(PathExists(Path("broken/manifest.webmanifest")));
  EXPECT_FALSE(PathExists(Path("broken/service-worker.js")));
}

}  // namespace
}  // namespace tarvik
