#include <gtest/gtest.h>

#include "platform/Random.h"

TEST(Random, FirstValuesAreFixedAndResetRestartsThem) {
  platform::resetRandom();
  EXPECT_EQ(platform::nextRandom(), 1410184549);
  EXPECT_EQ(platform::nextRandom(), 672584604);
  EXPECT_EQ(platform::nextRandom(), 1915668986);

  platform::resetRandom();
  EXPECT_EQ(platform::nextRandom(), 1410184549);
}

TEST(Random, ValuesStayWithin31Bits) {
  platform::resetRandom();
  for (int i = 0; i < 100000; ++i) {
    const int r = platform::nextRandom();
    ASSERT_GE(r, 0);
  }
}
