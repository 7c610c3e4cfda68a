// The solar ephemeris of one year for constructions that ask for many
// instants: declination and equation of time at whole days, each worked
// out once with solarPosition, interpolated linearly in between. Both
// change by less than 0.5 degree a day and bend so little (second
// difference below 0.007 degree a day) that the error stays below 1e-3
// degree. Instants outside the year (and two days around it) go to
// solarPosition directly.
#pragma once

#include <array>
#include <cstddef>

namespace tavrel {

class DailyEphemeris {
 public:
  explicit DailyEphemeris(int year) : year_(year) {}
  // x: the ephemeris instant of solarPosition (day of the year with its
  // fraction in universal time); degrees out.
  void at(double x, double& declination, double& eot);

 private:
  static constexpr int kOffset = 2;
  static constexpr std::size_t kDays = 372;
  int year_;
  std::array<std::array<double, 2>, kDays> days_{};
  std::array<bool, kDays> known_{};
};

}  // namespace tavrel
