// calc: the result blocks of the sun calculator for one date at the place
// of the design record.
#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "core/design_state.h"
#include "tables/sun_calculator_tables.h"

namespace tavrel::cli {
namespace {

// "YYYY-MM-DD" of a day the tables know (Julian leap years before 1582;
// 5 .. 14 October 1582 are accepted and corrected by the calculator).
std::optional<CalculatorDate> parseDate(const std::string& s) {
  if (s.size() != 10 || s[4] != '-' || s[7] != '-') return std::nullopt;
  const auto y = parseInt(s.substr(0, 4));
  const auto m = parseInt(s.substr(5, 2));
  const auto dd = parseInt(s.substr(8, 2));
  if (!y || !m || !dd || *y < 1 || *m < 1 || *m > 12 || *dd < 1) return std::nullopt;
  if (*dd > daysInTableMonth(*y, *m)) return std::nullopt;
  return CalculatorDate{*y, *m, *dd};
}

int runCalc(const std::vector<std::string>& args) {
  if (args.empty()) return usageError("calc needs a KIND");
  const std::string kind = args[0];
  if (kind != "eot" && kind != "riseset" && kind != "position" && kind != "azimuth")
    return usageError("unknown calc kind '" + kind + "'");

  DesignState& d = design();
  CalculatorDate date{d.calcYear, d.calcMonth, d.calcDay};
  std::optional<double> time;
  std::optional<double> azimuth;
  CalculatorTimeSystem system = CalculatorTimeSystem::Zone;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (i + 1 >= args.size()) return usageError(a + " needs a value");
    const std::string& v = args[++i];
    if (a == "--date") {
      const auto parsed = parseDate(v);
      if (!parsed) return usageError("--date expects a date YYYY-MM-DD, got '" + v + "'");
      date = *parsed;
    } else if (a == "--time") {
      time = parseClockTime(v);
      if (!time) return usageError("--time expects HH:MM:SS, got '" + v + "'");
    } else if (a == "--timesys") {
      if (v == "apparent") system = CalculatorTimeSystem::Apparent;
      else if (v == "mean") system = CalculatorTimeSystem::Mean;
      else if (v == "zone") system = CalculatorTimeSystem::Zone;
      else return usageError("--timesys expects apparent, mean or zone, got '" + v + "'");
    } else if (a == "--azimuth") {
      azimuth = parseNumber(v);
      if (!azimuth || *azimuth < -180 || *azimuth > 180)
        return usageError("--azimuth expects degrees -180..180, got '" + v + "'");
    } else {
      return usageError("unknown calc option '" + a + "'");
    }
  }
  // The window's empty fields, which it fills with "Input?".
  if (kind == "position" && !time) return usageError("calc position needs --time");
  if (kind == "azimuth" && !azimuth) return usageError("calc azimuth needs --azimuth");

  // The place is entered with the calculation, so the zone question comes
  // up whenever the zone meridian lies far from the longitude.
  d.zoneWarningPending = std::fabs(d.longitude - d.zoneMeridian) > 14;
  if (!confirmZoneMeridianDistance()) return commandFailed("calculation cancelled");
  date = calculatorDate(date);
  d.calcYear = date.year;
  d.calcMonth = date.month;
  d.calcDay = date.day;

  std::vector<std::string> lines;
  if (kind == "eot") lines = declinationBlock(date);
  else if (kind == "riseset") lines = riseSetBlock(date);
  else if (kind == "position") lines = positionBlock(date, *time, system);
  else lines = azimuthBlock(date, *azimuth);
  for (const std::string& l : lines) std::cout << l << '\n';
  return kExitOk;
}

const CommandRegistrar kCalc{
    {"calc",
     "calc KIND [--date YYYY-MM-DD] [--time HH:MM:SS] [--timesys apparent|mean|zone]\n"
     "         [--azimuth A]\n"
     "                     the sun calculator's result block; KIND: eot, riseset,\n"
     "                     position (needs --time), azimuth (needs --azimuth)",
     runCalc}};

}  // namespace
}  // namespace tavrel::cli
