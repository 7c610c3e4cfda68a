// Rows of the text table (resources/texts.tsv) that the graphs of the
// table window show.
#pragma once

#include <string>

#include "core/language.h"

namespace tavrel::graphRow {

constexpr int kSunIsFast = 600;
constexpr int kSunIsLate = 601;
constexpr int kZoneTimeDefinition = 602;
constexpr int kMeanTimeDefinition = 603;
constexpr int kEotCaption = 604;
constexpr int kPolarTitle = 605;
constexpr int kCartesianTitle = 606;
constexpr int kCartesian = 607;
constexpr int kWholeYear = 608;           // the three period items in order
constexpr int kJuneToDecember = 609;
constexpr int kDecemberToJune = 610;
constexpr int kHourLinesWithEot = 611;
constexpr int kLongitudeCorrection = 612;
constexpr int kYFactor = 613;
constexpr int kMirror = 614;
constexpr int kShowZoneTime = 615;
constexpr int kShowZoneTimeNote = 616;
constexpr int kSunlightOnPlane = 617;
constexpr int kSunlightHeading = 618;
constexpr int kApparentZoneTime = 619;
constexpr int kLocalApparentTime = 620;
constexpr int kWallDeclination = 621;
constexpr int kInclination = 622;
constexpr int kSaveHpgl = 623;
constexpr int kSaveDxf = 624;
constexpr int kEotGraphCommand = 629;
constexpr int kSunPathCommand = 630;
constexpr int kPolar = 631;
constexpr int kAzimuthAxis = 632;
constexpr int kTimeAtZoneMeridian = 635;
constexpr int kLocalTime = 636;
constexpr int kWithEot = 637;
constexpr int kWithoutEot = 638;
constexpr int kCivilTime = 639;
constexpr int kLocalMeanTime = 640;
constexpr int kApparentZoneTimeNoEot = 641;
constexpr int kLocalApparentTimeWoz = 642;
constexpr int kApparentTimeMark = 1016;  // " (WOZ)", English " (LAT)"
constexpr int kDateLinesPerMonth = 643;
constexpr int kHourInterval = 644;
constexpr int kFileName = 645;
constexpr int kOk = 646;
constexpr int kPlotOptions = 647;
constexpr int kMinutes = 648;
constexpr int kPlaneLatitude = 649;
constexpr int kPlaneLongitude = 650;
constexpr int kFile = 651;               // "File "
constexpr int kCompassFirst = 446;        // " &North", " S&outh", " &East", " &West"

inline std::string text(int row) { return tableText(TextTable::Texts, row); }

}  // namespace tavrel::graphRow
