// Name matching, attribute reading and the whitespace and depth rules of
// the XML parts.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "pptx/xml_helpers.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

TEST(XmlHelpers, LocalNameIsThePartAfterTheFirstColon) {
  EXPECT_EQ(LocalNameOf("p:spTree"), "spTree");
  EXPECT_EQ(LocalNameOf("spTree"), "spTree");
  EXPECT_EQ(LocalNameOf("a:b:c"), "b:c");
}

TEST(XmlHelpers, ChildLookupIgnoresPrefixAndAsciiCase) {
  auto xml = Xml("<r><p:spTree/><spTree/><SPTREE/><x:sptreé/></r>");
  std::vector<pugi::xml_node> found;
  FindChildNodes(xml->Root(), "spTree", found);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_STREQ(found[0].name(), "p:spTree");
  EXPECT_STREQ(FindChildNode(xml->Root(), "SpTrEe").name(), "p:spTree");
  EXPECT_FALSE(FindChildNode(xml->Root(), "sptreÉ"));  // only A-Z fold
  FindChildNodes(xml->Root(), "spTree", found);
  EXPECT_EQ(found.size(), 6u) << "FindChildNodes appends, never clears";
  EXPECT_FALSE(FindChildNode(pugi::xml_node(), "x"));
}

TEST(XmlHelpers, DescendantSearchIsPreOrderAndFindsTheOutermostMatch) {
  auto xml = Xml("<r><a><x id='deep'><x id='inner'/></x></a><x id='late'/></r>");
  EXPECT_STREQ(FindDescendantNode(xml->Root(), "x").attribute("id").value(), "deep");
  EXPECT_FALSE(FindDescendantNode(xml->Root(), "none"));
  EXPECT_FALSE(FindDescendantNode(FindChildNode(xml->Root(), "x"), "x"));
}

TEST(XmlHelpers, AttributeText) {
  auto xml = Xml("<r a:Val='v' empty='' n1='-1270' n2='12.5' n3='' n4='9223372036854775808' n5='+7'/>");
  pugi::xml_node r = xml->Root();
  EXPECT_EQ(GetAttrText(r, "val", "d"), "v");
  EXPECT_EQ(GetAttrText(r, "empty", "d"), "") << "present but empty is not the default";
  EXPECT_EQ(GetAttrText(r, "missing", "d"), "d");
  EXPECT_EQ(GetAttrText(pugi::xml_node(), "val", "d"), "d");
  EXPECT_EQ(GetAttrInt64(r, "n1", 5), -1270);
  EXPECT_EQ(GetAttrInt64(r, "n2", 5), 5);
  EXPECT_EQ(GetAttrInt64(r, "n3", 5), 5);
  EXPECT_EQ(GetAttrInt64(r, "n4", 5), 5) << "out of range";
  EXPECT_EQ(GetAttrInt64(r, "n5", 5), 7);
  EXPECT_EQ(GetAttrInt32(r, "n4", 3), 3);
}

TEST(XmlHelpers, WhitespaceOnlyTextIsDroppedExceptTheWholeTextOfT) {
  auto xml = Xml("<r>\n  <a:t> </a:t>\n  <b>  </b>\n  <a:t>  x </a:t>\n</r>");
  pugi::xml_node r = xml->Root();
  EXPECT_EQ(r.first_child().type(), pugi::node_element) << "indentation between elements is dropped";
  std::vector<pugi::xml_node> texts;
  FindChildNodes(r, "t", texts);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(ElementText(texts[0]), " ");
  EXPECT_EQ(ElementText(texts[1]), "  x ");
}

TEST(XmlHelpers, MarkupWhereTextIsExpectedFailsClearly) {
  auto xml = Xml("<a:t>one <b>two</b></a:t>");
  try {
    ElementText(xml->Root());
    FAIL() << "no error";
  } catch (const ETarvikError& e) {
    EXPECT_NE(std::string(e.what()).find("where text is expected"), std::string::npos) << e.what();
  }
}

TEST(XmlHelpers, MalformedAndMissingPartsFailWithTheParsersMessage) {
  EXPECT_THROW(Xml("<r><unclosed></r>"), ETarvikError);
  EXPECT_THROW(Xml(""), ETarvikError);
  TTempDir dir;
  try {
    LoadXmlDocument(dir / "none.xml");
    FAIL() << "no error";
  } catch (const ETarvikError& e) {
    EXPECT_NE(std::string(e.what()).find("File was not found"), std::string::npos) << e.what();
  }
}

TEST(XmlHelpers, DeepNestingIsRefusedWithoutExhaustingTheStack) {
  const int depth = 100000;
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<g>";
  for (int i = 0; i < depth; ++i) text += "</g>";
  EXPECT_THROW(Xml(text), ETarvikError);

  // The searches themselves do not recurse either.
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(text.c_str()));
  EXPECT_FALSE(FindDescendantNode(doc.document_element(), "missing"));

  std::string allowed;
  for (int i = 0; i < kMaxXmlDepth; ++i) allowed += "<g>";
  for (int i = 0; i < kMaxXmlDepth; ++i) allowed += "</g>";
  EXPECT_NO_THROW(Xml(allowed));
}
