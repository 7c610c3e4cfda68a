#include "astro/calendar.h"

#include <array>
#include <cstdint>

#include "base/day_month.h"
#include "core/design_state.h"

namespace tavrel {

namespace {

const std::array<std::array<std::string, 12>, 2> kMonthAbbreviations{{
    {"Jan", "Feb", "Mar", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
}};

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

int dayOfYear(int year, int month, int day) {
  if (month < 3) return (month - 1) * 31 + day;
  // 30.6001 rather than 30.6 keeps month * 30.6 - 32.3 off whole numbers.
  int n = static_cast<int>(month * 30.6001L - 32.3L) + day;
  if (isGregorianLeapYear(year)) ++n;
  return n;
}

double julianDayNumber(int day, int month, int year) {
  // The sortable decimal date year.mmdd, kept as an integer so that the
  // calendar switch is decided exactly.
  const std::int64_t sortable =
      static_cast<std::int64_t>(year) * 10000 + std::int64_t{month} * 100 + day;
  std::int64_t y = year, m = month;
  if (month <= 2) {
    y = year - 1;
    m = month + 12;
  }
  std::int64_t b;
  if (sortable >= 15821015) {
    b = y / 400 - y / 100;  // Gregorian; C++ division truncates like Trunc
  } else if (sortable <= 15821004) {
    b = -2;  // Julian
  } else {
    b = -12;  // 5..14 October 1582 never existed: take 15 October
    day = 15;
  }
  const auto yearDays = static_cast<std::int64_t>(365.25L * y);
  const auto monthDays = static_cast<std::int64_t>(30.6001L * (m + 1));
  return static_cast<double>(yearDays + monthDays + day + b + 1720997);
}

const std::string& monthAbbreviation(int month, int language) {
  static const std::string kNone;
  if (month < 1 || month > 12) return kNone;
  return kMonthAbbreviations[language == 1 ? 0 : 1][month - 1];
}

std::string dateLabel(int d, int year, int language) {
  std::array<int, 13> firstDay{};
  for (int m = 1; m <= 12; ++m) firstDay[m] = dayOfYear(year, m, 1);
  int month = 12;
  for (int m = 1; m <= 11; ++m) {
    if (firstDay[m + 1] > d) {
      month = m;
      break;
    }
  }
  return std::to_string(d - firstDay[month] + 1) + ". " + monthAbbreviation(month, language);
}

DayMonth parseDayMonth(std::string_view text, int referenceYear, int language) {
  DayMonth result;
  const std::optional<DayMonthParts> parts = dayMonthOfEntry(text, referenceYear);
  if (!parts) return result;
  const int day = parts->day, month = parts->month;
  result.ok = true;
  result.label = twoDigits(day) + ". " + monthAbbreviation(month, language);
  result.key = twoDigits(day) + "/" + twoDigits(month);
  result.number = day + 100 * month;
  return result;
}

std::string ownDateLineShown(const std::string& entry, int referenceYear, int language) {
  const DayMonth own = parseDayMonth(entry, referenceYear, language);
  if (!own.ok) return entry;
  const std::string prefix = own.key + "    ( ";
  if (entry.rfind(prefix, 0) != 0) return entry;
  // The start-up entries are German (language 1).
  bool otherLanguage = false;
  for (const char* start : kDefaultOwnDateLines) otherLanguage = otherLanguage || (entry == start && language != 1);
  for (int lang : {1, 2})
    otherLanguage = otherLanguage ||
                    (lang != language && entry == prefix + parseDayMonth(entry, referenceYear, lang).label + " )");
  return otherLanguage ? prefix + own.label + " )" : entry;
}

}  // namespace tavrel
