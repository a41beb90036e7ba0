#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "ferrox/math/Pmath.h"

using Frx::kPi;
using Frx::kTwoPi;
using Frx::Pcos;
using Frx::Psin;

TEST(Ptrig, SeriesValues) {
  EXPECT_EQ(Psin(0.0f), 0.0f);
  EXPECT_EQ(Pcos(0.0f), 1.0f);
  EXPECT_NEAR(Psin(kPi / 2), 1.0f, 4e-6f);
  // The cosine series stops at x^8: visibly short of -1 at pi.
  EXPECT_NEAR(Pcos(kPi), -0.97602f, 2e-5f);
  // Within the series' error of the true functions everywhere.
  for (float x = -20.0f; x <= 20.0f; x += 0.01f) {
    ASSERT_NEAR(Psin(x), std::sin(x), 7.5e-3f) << x;
    ASSERT_NEAR(Pcos(x), std::cos(x), 2.5e-2f) << x;
  }
}

TEST(Ptrig, RangeReduction) {
  EXPECT_EQ(Psin(7.0f), Psin(7.0f - kTwoPi));
  EXPECT_EQ(Psin(-7.0f), Psin(-7.0f + kTwoPi));
  EXPECT_EQ(Psin(-4.0f), Psin(-4.0f + kTwoPi));
  EXPECT_EQ(Psin(4.0f), Psin(4.0f - kTwoPi));
  EXPECT_EQ(Pcos(8.0f), Pcos(8.0f - kTwoPi));
  for (float x : {0.3f, 2.0f, 3.5f, 9.0f, 100.0f}) EXPECT_EQ(Pcos(-x), Pcos(x)) << x;
  // Several turns away still lands inside [-pi, pi].
  EXPECT_NEAR(Psin(5 * kTwoPi + 0.5f), Psin(0.5f), 1e-5f);
  EXPECT_NEAR(Psin(-5 * kTwoPi - 0.5f), Psin(-0.5f), 1e-5f);
}

TEST(Ptrig, NonFiniteAndHugeArguments) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_TRUE(std::isnan(Psin(nan)));
  EXPECT_TRUE(std::isnan(Pcos(nan)));
  EXPECT_TRUE(std::isnan(Psin(inf)));
  EXPECT_TRUE(std::isnan(Psin(-inf)));
  EXPECT_TRUE(std::isnan(Pcos(inf)));
  EXPECT_TRUE(std::isnan(Pcos(-inf)));
  // Beyond 2^31 turns an int cast is undefined; the result must still be a
  // sine-sized number.
  for (float x : {1e10f, -1e10f, 1e20f, -3e38f, 3.4028235e38f, 16777216.0f * kTwoPi}) {
    EXPECT_LE(std::fabs(Psin(x)), 1.01f) << x;
    EXPECT_LE(std::fabs(Pcos(x)), 1.01f) << x;
  }
}
