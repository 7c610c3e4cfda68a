// Rows of the text table (resources/texts.tsv) that the horizon profile
// names: its file labels, boxes, dialogs and the calculation panel.
#pragma once

#include <string>

namespace tavrel::horizonText {

constexpr int kAltitudeOfCentre = 400;     // "Altitude of Central Point: "
constexpr int kMinDistance = 401;          // "Minimal Object Distance"
constexpr int kMaxDistance = 402;          // "Maximal Object Distance"
constexpr int kPanelTitle = 403;           // "Calculation of a Horizon Profile"
constexpr int kNotLoaded = 404;            // "No horizon profile has been loaded!"
constexpr int kLoadQuestion = 405;         // "Do you wish to load a new horizon profile?"
constexpr int kLoadTitle = 406;            // "Load Horizon Profile "
constexpr int kLoadFilter = 407;
constexpr int kGridTitle = 408;            // "Load table with SRTM-data"
constexpr int kGridFilter = 409;
constexpr int kFileNotFound = 410;         // " : File not found!"
constexpr int kCentreOutside = 411;        // "Central point is not within the the selected data area!"
constexpr int kProfileInPoint = 412;       // "Horizon profile in point "
constexpr int kTableContains = 413;
constexpr int kTableInterval = 414;        // "       Table intervall = "
constexpr int kHorizonPoints = 415;        // " horizon points with 0.5 deg azimuthal distance."
constexpr int kLackOfData = 416;           // "Lack of table data in the   "
constexpr int kStartingNow = 417;          // "Calculation will be started now.  "
constexpr int kMissingLater = 418;         // "(Missing data can be loaded afterwards.)"
constexpr int kDone = 419;                 // "Calculation done! "
constexpr int kCentreElevation = 420;      // "Central point (elevation)="
constexpr int kMissingData = 421;          // "Missing altitude data in the "
constexpr int kAddMissing = 422;           // ".  Add missing data now?"
constexpr int kWrongArea = 423;            // "Area of dataset is wrong!"
constexpr int kFalse = 424;                // " false!"
constexpr int kSameKind = 425;             // "Es muss ein gleichartiger Tabellentyp nachgeladne werden"
constexpr int kRowCountA = 426;            // "In der Datenzeile "
constexpr int kRowCountB = 427;            // " waren "
constexpr int kRowCountC = 428;            // " Höhendaten statt genau "
constexpr int kSaveTitle = 429;            // "Save Calculated Horizon Profile"
constexpr int kSaveFilter = 430;           // "Horizon profile (*.ele)|*.ele"
constexpr int kSaveError = 431;            // "Save error: File  "
constexpr int kOneArcSecond = 432;         // "1 arcsec"
constexpr int kThreeArcSeconds = 433;      // "3 arcsec"
constexpr int kAnd = 434;                  // "und "
constexpr int kCalculated = 435;           // "Horizon profile calculated !"
constexpr int kLoadingData = 436;          // "     Loading data and start of calculation!"
constexpr int kPositionOfCentre = 437;     // "Position of Center"
constexpr int kMinimum180 = 438;           // "m   ( Minimum 180 )"
constexpr int kStartCalculation = 439;     // "Start Calculation"
constexpr int kShowProfile = 440;          // "Show hori&zon profile"
constexpr int kLoadNewProfile = 441;       // "Load n&ew profile"
constexpr int kCreateProfile = 442;        // "C&reate horizon profile ... "
constexpr int kIncludeProfile = 443;       // "Include horizon profile"
constexpr int kCancelQuestion = 444;       // "Abbrechen ? "
constexpr int kFileNotFoundCreate = 445;   // "File  not found. Create File?"
constexpr int kNorth = 446;                // " &North"
constexpr int kSouth = 447;                // " S&outh"
constexpr int kEast = 448;                 // " &East"
constexpr int kWest = 449;                 // " &West"
constexpr int kPedestal = 450;             // "Pedestal height" (panel field)
constexpr int kKm = 451;                   // "km"
constexpr int kDeg = 452;                  // " deg "
constexpr int kMin = 453;                  // " min "
constexpr int kSec = 454;                  // " sec"
constexpr int kLatitude = 455;             // "Latitude"
constexpr int kLongitude = 456;            // "Longitude"
constexpr int kCancel = 457;               // "Cancel"
constexpr int kHeaderFaultA = 458;         // "The file is not an elevation grid: header line "
constexpr int kHeaderFaultB = 459;         // " is missing or not valid."
constexpr int kRowsMissingA = 460;         // "The elevation grid is incomplete: "
constexpr int kOf = 461;                   // " of "
constexpr int kRowsMissingB = 462;         // " data rows present."
constexpr int kNoCentreHeight = 463;       // "The elevation grid has no heights at the central point."
constexpr int kNoStartLine = 464;          // "The horizon profile has no line with the azimuth -180."
constexpr int kProfileIncompleteA = 465;   // "The horizon profile is incomplete: "
constexpr int kProfileIncompleteB = 466;   // " points."
constexpr int kNotANeighbour = 467;        // "The table is not a missing neighbour of the first table."

// Row `row` of the text table in the current language.
std::string text(int row);

}  // namespace tavrel::horizonText
