#include "tables/sun_calculator.h"

#include <cmath>
#include <cstdlib>

#include "astro/azimuth_time.h"
#include "astro/calendar.h"
#include "astro/horizontal_coordinates.h"
#include "astro/time_format.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "base/number_text.h"
#include "tables/rise_set_search.h"
#include "tables/table_calendar.h"
#include "tables/table_texts.h"

namespace tavrel {

namespace {

std::string twoDigits(long v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// The opening lines of every block: date and place.
std::vector<std::string> blockHead(const CalculatorDate& date) {
  const DesignState& d = design();
  return {"",
          calculatorRule(),
          "",
          tablesText(TablesText::kCalcDate) + fixedText(date.year, 4, 0) + "-" +
              fixedText(date.month, 2, 0) + "-" + fixedText(date.day, 2, 0),
          tablesText(TablesText::kCalcLatitude) + fixedText(d.latitude, 6, 2) +
              tablesText(TablesText::kCalcDeg),
          tablesText(TablesText::kCalcLongitude) + fixedText(d.longitude, 7, 2) +
              tablesText(TablesText::kCalcZoneMeridian) + fixedText(d.zoneMeridian, 6, 1) +
              tablesText(TablesText::kCalcDeg),
          ""};
}

std::vector<std::string> finished(std::vector<std::string> lines) {
  lines.push_back(calculatorRule());
  return lines;
}

// One event of the rise/set block: the time with " hh:min", or the text of
// a missing event.
std::string eventText(const std::string& time, bool found) {
  return found ? time + tablesText(TablesText::kHourMinuteUnit) : time;
}

// " 14:05:09": hours right-aligned in 3, minutes and seconds of the
// rounded second.
std::string clockText(double hours) {
  long s = std::lround(hours * 3600);
  return fixedText(static_cast<double>(s / 3600), 3, 0) + ":" + twoDigits(s / 60 % 60) + ":" +
         twoDigits(s % 60);
}

}  // namespace

CalculatorDate calculatorDate(CalculatorDate date) {
  if (isCalendarReformGap(date.year, date.month, date.day)) {
    showMessage(MsgCaption::Warning, messageText(26));
    date.day = 15;
  }
  return date;
}

bool confirmZoneMeridianDistance() {
  DesignState& d = design();
  if (!d.zoneWarningPending) return true;
  const std::string question = tablesText(TablesText::kZoneDistance1) + "\n\r" +
                               tablesText(TablesText::kZoneDistance2) + "\n\r" +
                               tablesText(TablesText::kZoneDistance3);
  if (showMessage(MsgCaption::Warning, MsgIcon::Warning, question, MsgButtons::YesNo) !=
      MsgAnswer::Yes)
    return false;
  d.zoneWarningPending = false;
  return true;
}

std::string calculatorRule() {
  std::string rule = "  ";
  for (int i = 0; i < 37; ++i) rule += "__";
  return rule;
}

std::vector<std::string> declinationBlock(CalculatorDate date) {
  const NoonSun sun = noonSun(date.year, date.month, date.day, design().zoneMeridian);
  std::vector<std::string> lines = blockHead(date);
  lines.push_back("    " + tablesText(TablesText::kSunDeclination) + fixedText(sun.declination, 6, 2) +
                  tablesText(TablesText::kDegUnit));
  lines.push_back("    " + tablesText(TablesText::kEquationOfTime) + formatMinutesSeconds(sun.eot) +
                  tablesText(TablesText::kMinSecUnit));
  lines.push_back("");
  lines.push_back(tablesText(TablesText::kValuesForNoon));
  return finished(std::move(lines));
}

std::vector<std::string> riseSetBlock(CalculatorDate date) {
  std::vector<std::string> lines = blockHead(date);
  struct Event {
    RiseSetObject object;
    TablesText firstLabel, secondLabel;
  };
  const Event events[] = {
      {RiseSetObject::Sun, TablesText::kSunrise, TablesText::kSunset},
      {RiseSetObject::Twilight, TablesText::kTwilightBegins, TablesText::kTwilightEnds},
      {RiseSetObject::Moon, TablesText::kMoonrise, TablesText::kMoonset},
  };
  for (const Event& e : events) {
    const RiseSetEvents found = riseSetEvents(e.object, date.year, date.month, date.day);
    const RiseSetCell cell = riseSetCellOf(e.object, found);
    std::string first, second;
    if (!found.riseFound && !found.setFound) {
      first = second = cell.cell;
    } else {
      const std::string& none = tablesText(TablesText::kNoEvent);
      // Twilight begins in the morning (the rise through the depression)
      // and ends in the evening.
      first = eventText(found.riseFound ? eventTimeText(found.rise) : none, found.riseFound);
      second = eventText(found.setFound ? eventTimeText(found.set) : none, found.setFound);
    }
    // The moon's labels come without the indent of the others.
    const bool moon = e.object == RiseSetObject::Moon;
    lines.push_back((moon ? "    " : "") + tablesText(e.firstLabel) + first);
    lines.push_back((moon ? "     " : "") + tablesText(e.secondLabel) + second);
    if (e.object == RiseSetObject::Twilight)
      lines.push_back("    " + messageText(38 + (design().twilightKind <= 2 ? design().twilightKind : 2)));
    lines.push_back("");
  }
  lines.pop_back();
  return finished(std::move(lines));
}

void showAzimuthSearchMessages(const AzimuthTime& result) {
  if (result.azimuthOutsideBracket)
    showMessage(MsgCaption::Error, azimuthOutsideBracketText(result, design().language));
  if (result.notEveryAzimuthReached) showMessage(MsgCaption::Warning, messageText(44));
  if (result.bracketLost) showMessage(MsgCaption::Error, messagePair(31, 32));
  if (!result.found) showMessage(MsgCaption::Error, messageText(24));
}

std::vector<std::string> azimuthBlock(CalculatorDate date, double azimuth) {
  const DesignState& d = design();
  const AzimuthTime found = zoneTimeForAzimuth(
      azimuth, {date.year, date.month, date.day, d.latitude, d.longitude, d.zoneMeridian});
  showAzimuthSearchMessages(found);

  std::vector<std::string> lines = blockHead(date);
  lines.push_back("    " + tablesText(TablesText::kAzimuthEntered) + fixedText(azimuth, 7, 2) +
                  tablesText(TablesText::kDegUnit));
  lines.push_back("    " + tablesText(TablesText::kAzimuthScale));
  lines.push_back("");
  if (!found.found) {
    lines.push_back("    " + messageText(24));
    return finished(std::move(lines));
  }
  lines.push_back("    " + tablesText(TablesText::kPositionReached) + found.text);
  const SunPosition sun = sunAtZoneTime(date.year, dayOfYear(date.year, date.month, date.day),
                                        found.zoneTime, d.latitude, d.longitude, d.zoneMeridian,
                                        true);
  if (sun.altitude > 0)
    lines.push_back("    " + tablesText(TablesText::kSunAltitude) + fixedText(sun.altitude, 5, 1) +
                    tablesText(TablesText::kDegUnit));
  else
    lines.push_back("    " + tablesText(TablesText::kBelowHorizon));
  return finished(std::move(lines));
}

std::vector<std::string> positionBlock(CalculatorDate date, double clockTime,
                                       CalculatorTimeSystem system) {
  const DesignState& d = design();
  const int day = ephemerisDayNumber(date.year, date.month, date.day);
  // Local times are zone times of a zone whose meridian is the longitude;
  // apparent time runs without the equation of time.
  SunPosition sun;
  TablesText systemName = TablesText::kZoneTime;
  switch (system) {
    case CalculatorTimeSystem::Apparent:
      sun = sunAtZoneTime(date.year, day, clockTime, d.latitude, d.longitude, d.longitude, false);
      systemName = TablesText::kApparentTime;
      break;
    case CalculatorTimeSystem::Mean:
      sun = sunAtZoneTime(date.year, day, clockTime, d.latitude, d.longitude, d.longitude, true);
      systemName = TablesText::kMeanTime;
      break;
    case CalculatorTimeSystem::Zone:
      sun = sunAtZoneTime(date.year, day, clockTime, d.latitude, d.longitude, d.zoneMeridian, true);
      break;
  }
  std::vector<std::string> lines = blockHead(date);
  lines.push_back(tablesText(TablesText::kClockTime) + clockText(clockTime) + "  " +
                  tablesText(systemName));
  lines.push_back("");
  const std::string& deg = tablesText(TablesText::kDegUnit);
  lines.push_back(tablesText(TablesText::kAltitude) + fixedText(sun.altitude, 7, 2) + deg);
  lines.push_back(tablesText(TablesText::kAzimuth) + fixedText(sun.azimuth, 7, 2) + deg);
  lines.push_back(tablesText(TablesText::kDeclination) + fixedText(sun.declination, 7, 2) + deg);
  lines.push_back(tablesText(TablesText::kEquationOfTimeShort) + " " +
                  formatMinutesSeconds(sun.eot) + tablesText(TablesText::kMinSecUnit));
  return finished(std::move(lines));
}

std::optional<double> parseClockTime(const std::string& text) {
  int parts[3] = {0, 0, 0};
  int count = 0;
  std::size_t i = 0;
  while (count < 3) {
    std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i == start || i - start > 2) return std::nullopt;
    parts[count++] = std::atoi(text.substr(start, i - start).c_str());
    if (i == text.size()) break;
    if (text[i] != ':') return std::nullopt;
    ++i;
  }
  if (i != text.size() || count < 2) return std::nullopt;
  if (parts[0] > 24 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
  const double hours = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
  if (hours > 24) return std::nullopt;
  return hours;
}

}  // namespace tavrel
