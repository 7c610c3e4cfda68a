// sun: declination and equation of time at 12:00 zone time on the
// calculation date.
#include <iostream>

#include "astro/calendar.h"
#include "astro/solar_ephemeris.h"
#include "astro/time_format.h"
#include "cli/command_registry.h"
#include "core/design_state.h"
#include "base/number_text.h"

namespace tavrel::cli {
namespace {

int runSun(const std::vector<std::string>& args) {
  if (!args.empty()) return usageError("sun takes no arguments");
  const DesignState& d = design();
  // 12:00 zone time; the ephemeris argument counts days from 12:00 UT.
  const double ut = 12.0 + d.zoneMeridian / 15.0;
  const int doy = dayOfYear(d.calcYear, d.calcMonth, d.calcDay);
  double declination = 0, eot = 0;
  solarPosition(d.calcYear, doy + (ut - 12.0) / 24.0, declination, eot);
  std::cout << "date " << d.calcYear << '-' << d.calcMonth << '-' << d.calcDay
            << "  12:00 zone time (zone meridian " << fixedText(d.zoneMeridian, 1, 1)
            << ", west positive)\n"
            << "declination " << fixedText(declination, 8, 3) << " degrees\n"
            << "equation of time " << formatMinutesSeconds(eot) << " (m:ss)\n";
  return kExitOk;
}

const CommandRegistrar kSun{
    {"sun",
     "sun\n"
     "                     declination and equation of time at 12:00 zone time\n"
     "                     on the calculation date (calcDay, calcMonth, calcYear)",
     runSun}};

}  // namespace
}  // namespace tavrel::cli
