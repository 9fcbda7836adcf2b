// Host strings as the host sees them: blocks it can free, never null for text.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/host_string.h"

using namespace tarvik;

TEST(HostString, EmptyTextIsAOneByteBlockNeverNull) {
  char* p = nullptr;
  AssignHostString(p, "");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[0], '\0');
  FreeHostString(p);
  EXPECT_EQ(p, nullptr);
}

TEST(HostString, NullReadsAsEmptyAndFreeOfNullIsHarmless) {
  char* p = nullptr;
  EXPECT_EQ(ReadHostString(p), "");
  FreeHostString(p);
  EXPECT_EQ(p, nullptr);
}

TEST(HostString, AssignReplacesThePreviousBlock) {
  // The sanitizer run reports the old block if it is not released.
  char* p = nullptr;
  AssignHostString(p, "first");
  AssignHostString(p, "second, longer");
  EXPECT_STREQ(p, "second, longer");
  FreeHostString(p);
}

TEST(HostString, ReadStopsAtTheFirstZeroAndConvertsFromAnsi) {
  const char bytes[] = "caf\xE9\0hidden";
  EXPECT_EQ(ReadHostString(bytes), "caf\xC3\xA9");
}

TEST(HostString, RoundTripThroughTheCodePage) {
  char* p = nullptr;
  AssignHostString(p, "Pr\xC3\xA9sentation \xE2\x82\xAC");
  EXPECT_EQ(std::strlen(p), 14u);
  EXPECT_EQ(ReadHostString(p), "Pr\xC3\xA9sentation \xE2\x82\xAC");
  FreeHostString(p);
}
