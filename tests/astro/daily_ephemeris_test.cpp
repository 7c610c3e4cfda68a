// The interpolated ephemeris against solarPosition itself: exact at whole
// days, within 1e-3 degree in between, and straight through to
// solarPosition outside the year.
#include <gtest/gtest.h>

#include "astro/daily_ephemeris.h"
#include "astro/solar_ephemeris.h"
#include "astro/startup.h"

namespace tavrel {
namespace {

TEST(DailyEphemerisTest, MatchesSolarPositionWithinAThousandthOfADegree) {
  startProgram();
  for (int year : {2021, 2024}) {
    DailyEphemeris eph(year);
    for (double x : {-1.5, 1.0, 1.37, 80.5, 172.25, 172.0, 265.9, 355.4, 366.8, 369.0, 400.2}) {
      double d1, e1, d2, e2;
      eph.at(x, d1, e1);
      solarPosition(year, x, d2, e2);
      const bool whole = x == static_cast<int>(x);
      EXPECT_NEAR(d1, d2, whole ? 1e-12 : 1e-3) << year << " " << x;
      EXPECT_NEAR(e1, e2, whole ? 1e-12 : 1e-3) << year << " " << x;
    }
  }
}

}  // namespace
}  // namespace tavrel
