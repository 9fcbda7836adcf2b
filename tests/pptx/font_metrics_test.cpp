// Text widths from the generated advance tables: the family a deck names
// picks its metric-compatible font or the fallback, and any bytes measure.
#include <gtest/gtest.h>

#include "pptx/font_metrics.h"

using namespace tarvik;

TEST(FontMetrics, KnownStringsMeasureAsTheirFontsDrawThem) {
  const struct {
    const char* Family;
    bool Bold;
    const char* Text;
    double Em;
  } cases[] = {
      {"Arial", false, "Hello", 2.278},         // Liberation Sans
      {"ARIAL", false, "Hello", 2.278},         // names match in any case
      {"Calibri", false, "Hello", 2.106},       // Carlito, Calibri's metric twin
      {"Tahoma", false, "Hello", 2.535},        // DejaVu Sans, as fontconfig substitutes it
      {"Courier New", true, "0123456789", 6.0},  // monospaced
      {"Arial", false, "\xD7\xA9\xD7\x9C", 1.276},  // Hebrew, which Liberation lacks: DejaVu's
      {"Arial", false, "\xE6\x97\xA5\xE6\x9C\xAC", 2.0},  // ideographs a full em each
      {"Arial", false, "\xFF\xC3", 1.1},  // malformed bytes as average letters
      {"Arial", false, "", 0},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(TextWidthEm(c.Family, c.Bold, c.Text), c.Em, 0.02) << c.Family << " " << c.Text;
  EXPECT_GT(TextWidthEm("Arial", true, "Hello"), TextWidthEm("Arial", false, "Hello"));
  EXPECT_NEAR(LineHeightEm("Times New Roman", false), 1.15, 0.05);
  EXPECT_GT(LineHeightEm("Arial", false, "\xD7\xA9"), LineHeightEm("Arial", false, "ab")) << "Hebrew is DejaVu's";
}
