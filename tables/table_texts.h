// The bilingual texts of the sun calculator and of the solar tables
// (titles, column headers, footers, cell texts), in the current language
// (design().language: 1 German, 2 English). Blanks are part of the texts:
// the tables are fixed-pitch layouts and CSV files are cut at fixed
// columns, so a German text keeps the length of its English twin wherever
// it stands inside a column.
#pragma once

#include <string>

namespace tavrel {

enum class TablesText {
  // Cells of the rise/set search (14 characters each but kNoEvent).
  kAlwaysSeen,
  kAlwaysBright,
  kNotVisible,
  kAlwaysDark,
  kNoEvent,  // " -----", a missing rise or set
  // Twilight names, by twilightKind 0..2.
  kTwilightCivil,
  kTwilightNautical,
  kTwilightAstronomical,
  // Month table of rise and set.
  kMonthTableTitle,     // " Rise and Set of Sun and Moon for "
  kCivilTime,           // "Civil Time"
  kNotDst,              // " and not DST !"
  kPosition,            // " Position: "
  kMonthColumns1,
  kMonthColumns2,
  kOmittedDays,         // "omitted  (change to Gregorian Calendar)"
  kZoneLine,            // "  All times are standard time (= UT"
  kTwilightDisplayed,   // "Type of twilight displayed: "
  // Half-year table.
  kHalfYearColumn,      // " Rise /Set    EoT    " (21 characters)
  kDate,                // "Date"
  kHalfYearTitle,       // "Times of Sunrise/Sunset and Equation of time for "
  // Year tables.
  kEotTitle,
  kEotLongitudeTitle,
  kDeclinationTitle,
  kTransitTitle,
  kZoneMeridianIs,      // " (Zone meridian = "
  kEotDefinition,
  kCivilTimeRule,
  kTransitNote,
  kNoonNote,
  kLongitudeCorrection, // "  Correction for longitude"
  kMinSec,              // " min:sec  "
  kAuthorLine,
  // Calculator blocks.
  kCalcDate,
  kCalcLatitude,
  kCalcLongitude,
  kCalcZoneMeridian,    // " deg          Zone meridian: "
  kCalcDeg,             // " deg "
  kSunDeclination,
  kEquationOfTime,
  kDegUnit,             // " deg"
  kMinSecUnit,          // "  min:sec"
  kValuesForNoon,
  kSunrise,
  kSunset,
  kTwilightBegins,
  kTwilightEnds,
  kMoonrise,
  kMoonset,
  kHourMinuteUnit,      // " hh:min"
  kAzimuthScale,        // "[ N= -180° ..<..  O= -90° .. ]"
  kAzimuthEntered,
  kPositionReached,     // "Sunposition reached at:  "
  kSunAltitude,
  kBelowHorizon,        // "The sun is below the horizon!"
  kClockTime,
  kApparentTime,
  kMeanTime,
  kZoneTime,
  kAltitude,
  kAzimuth,
  kDeclination,
  kEquationOfTimeShort,
  kInputMissing,        // "Input?"
  kZoneDistance1,       // the zone-meridian question, three lines
  kZoneDistance2,
  kZoneDistance3,
  kSaveOpenError,       // "Open error: File  "
  kSaveError,           // "Save error: File  "
  kCount
};

// The text in the current language.
const std::string& tablesText(TablesText id);
// The text in the given language (2 English, anything else German).
const std::string& tablesText(TablesText id, int language);

// Full month name, month 1..12, in the current language ("June", "Juni");
// any other month gives the empty text.
const std::string& fullMonthName(int month);

// The name of twilight kind 0 civil, 1 nautical, 2 astronomical
// ("nautical (6°-12°)"); any other kind counts as astronomical.
const std::string& twilightName(int twilightKind);

}  // namespace tavrel
