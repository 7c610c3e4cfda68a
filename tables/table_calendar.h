// Calendar rules of the solar tables: which days exist, and the instant
// at which a table takes the sun of a civil date.
#pragma once

namespace tavrel {

// Leap years of the tables: Julian before the reform (every fourth year up
// to 1590, the first years of the Gregorian calendar being reckoned with
// the old rule), Gregorian afterwards: divisible by 4 and (not by 100 or
// year <= 1590), or divisible by 400.
bool isTableLeapYear(int year);

// Days in month 1..12 of year by isTableLeapYear.
int daysInTableMonth(int year, int month);

// True for 5 .. 14 October 1582, the days the calendar reform left out.
bool isCalendarReformGap(int year, int month, int day);

// Days since 1 January of year plus one, by the Julian day numbers of the
// two dates: the argument x - (UT - 12) / 24 of solarPosition. It equals
// dayOfYear(year, month, day) in Gregorian years and also counts right in
// the Julian-calendar years before 1582 (29 February 1500 exists) and in
// 1582 itself (15 October follows 4 October).
int ephemerisDayNumber(int year, int month, int day);

// Declination and equation of time (degrees) of 12 h zone time of the date
// in the zone whose west-positive meridian is given.
struct NoonSun {
  double declination = 0;
  double eot = 0;
};
NoonSun noonSun(int year, int month, int day, double zoneMeridian);

}  // namespace tavrel
