#include "astro/daily_ephemeris.h"

#include <cmath>

#include "astro/solar_ephemeris.h"

namespace tavrel {

void DailyEphemeris::at(double x, double& decl, double& eot) {
  const double fl = std::floor(x);
  const int k = static_cast<int>(fl) + kOffset;
  if (!(k >= 0 && k + 1 < static_cast<int>(kDays))) {
    solarPosition(year_, x, decl, eot);
    return;
  }
  const auto day = [this](int i) -> const std::array<double, 2>& {
    const std::size_t n = static_cast<std::size_t>(i);
    if (!known_[n]) {
      solarPosition(year_, i - kOffset, days_[n][0], days_[n][1]);
      known_[n] = true;
    }
    return days_[n];
  };
  const auto& a = day(k);
  const auto& b = day(k + 1);
  const double f = x - fl;
  decl = a[0] + f * (b[0] - a[0]);
  eot = a[1] + f * (b[1] - a[1]);
}

}  // namespace tavrel
