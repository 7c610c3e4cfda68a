#include "tables/table_calendar.h"

#include <cmath>

#include "astro/calendar.h"
#include "astro/solar_ephemeris.h"

namespace tavrel {

bool isTableLeapYear(int year) {
  return (year % 4 == 0 && (year % 100 != 0 || year <= 1590)) || year % 400 == 0;
}

int daysInTableMonth(int year, int month) {
  switch (month) {
    case 4:
    case 6:
    case 9:
    case 11: return 30;
    case 2: return isTableLeapYear(year) ? 29 : 28;
    default: return 31;
  }
}

bool isCalendarReformGap(int year, int month, int day) {
  return year == 1582 && month == 10 && day >= 5 && day <= 14;
}

int ephemerisDayNumber(int year, int month, int day) {
  return static_cast<int>(std::lround(julianDayNumber(day, month, year) -
                                      julianDayNumber(1, 1, year))) + 1;
}

NoonSun noonSun(int year, int month, int day, double zoneMeridian) {
  // 12 h zone time is 12 h UT + zoneMeridian / 15 hours.
  NoonSun s;
  solarPosition(year, ephemerisDayNumber(year, month, day) + zoneMeridian / 360.0, s.declination,
                s.eot);
  return s;
}

}  // namespace tavrel
