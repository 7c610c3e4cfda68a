// The horizon profile: the elevation angle of the skyline around the
// dial's place, one point for every half degree of azimuth, its profile
// file (".ele") and the state the sun-path diagrams and the azimuthal
// chart read.
//
// Units: degrees and metres. Azimuth is counted from south, west positive
// (S 0, W +90, E -90, N -180); point k (0 .. 719) has azimuth
// k * 0.5 - 180, i.e. the bearing k * 0.5 counted from north through east.
//
// Profile file: text, CR LF, numbers with a decimal comma.
//   line 1  latitude, "\t ", " Latitude (where South is negative)"
//   line 2  longitude (east positive), "\t ", "Longitude (where  West is negative)"
//   line 3  720, "\t ", "NPoints (Azimut, Elevation, Distanz);", note
//   4..723  azimuth " \t " elevation " \t " distance " \t " terrain height " \t "
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavrel {

struct HorizonPoint {
  double azimuth = 0;         // degrees from south, west positive
  double elevation = 0;       // degrees above the observer's horizontal; 0: nothing found
  double distance = 0;        // metres to the point that sets the skyline; 0: none
  double terrainHeight = 0;   // metres; -1.3 where none (not read back from files)
};

inline constexpr int kHorizonPoints = 720;
inline constexpr double kNoTerrainHeight = -1.3;

using HorizonProfile = std::array<HorizonPoint, kHorizonPoints>;

// A profile with every point empty: azimuth k * 0.5 - 180, elevation 0,
// distance 0, terrain height -1.3.
HorizonProfile emptyHorizonProfile();

// The program-wide profile state.
struct HorizonState {
  HorizonProfile horizonProfile = emptyHorizonProfile();  // shown; filled by loading
  std::string horizonNote;                                // from line 3 of the loaded file
  bool profileLoaded = false;
  bool showHorizonProfile = false;
  HorizonProfile computedProfile = emptyHorizonProfile(); // filled by the computation
};
HorizonState& horizonState();

// True when the consumers draw the loaded profile.
bool horizonProfileShown();

// --- Profile file -------------------------------------------------------

// The place a profile file names: latitude north positive, longitude WEST
// positive (the design record's convention).
struct HorizonPlace {
  double latitude = 0;
  double longitude = 0;
};

// Why a profile file was not taken.
struct ProfileFault {
  enum class Kind { None, NotAProfile, NoStartLine, Incomplete };
  Kind kind = Kind::None;
  int points = 0;  // point lines read (Incomplete)
};

// The cause of a refused profile file in the current language (empty for
// None and NotAProfile, which message 24 says alone).
std::string profileFaultText(const ProfileFault& fault);

// Reads the lines of a profile file into `profile` and `note`:
// line 1 the latitude, line 2 the longitude (negated into west positive),
// line 3 from its 43rd character on (tabs as blanks) the note; the first
// line from line 4 on whose leading number is -180 is point 0, every
// following line the next point (azimuth, elevation, distance; the terrain
// height is not read); lines after point 719 are ignored. nullopt (and
// nothing changed, `fault` telling why) when line 1 or 2 does not start
// with a number, when no line starts with -180, or when fewer than 720
// point lines follow it (a file cut short would otherwise leave the
// points of an earlier profile or a flat horizon in place unnoticed).
std::optional<HorizonPlace> parseHorizonProfile(const std::vector<std::string>& lines,
                                                HorizonProfile& profile, std::string& note,
                                                ProfileFault* fault = nullptr);

// loadHorizonProfile: reads the file into horizonProfile and horizonNote
// and sets profileLoaded. nullopt when the file cannot be read or is not a
// complete profile file (`fault` telling why); the state is then unchanged.
std::optional<HorizonPlace> loadHorizonProfile(const std::string& path, ProfileFault* fault = nullptr);

// What line 3 of a computed profile tells.
struct HorizonFileInfo {
  double latitude = 0;        // north positive
  double longitudeEast = 0;   // east positive
  int observerAltitude = 0;   // centre height + pedestal, metres
  int pedestalHeight = 0;
  int minObjectDistance = 180;
};

// The 723 lines of a profile file (without line ends), the labels in the
// current language.
std::vector<std::string> horizonProfileLines(const HorizonProfile& profile, const HorizonFileInfo& info);

// saveHorizonProfile: writes computedProfile to path (CR LF, decimal
// comma) through a temporary file in the same folder, renamed over the
// target when complete. False (and the target untouched) on failure.
bool saveHorizonProfile(const std::string& path, const HorizonFileInfo& info);

// F(p, d) of the profile file: x rounded to p significant digits, shown
// with d decimals and a decimal comma, minus sign when negative.
std::string profileNumber(double x, int significant, int decimals);

// --- For the diagrams ---------------------------------------------------

// The skyline elevation at a sun azimuth (degrees from south, west
// positive), interpolated linearly between the two neighbouring points.
double horizonElevationAt(const HorizonProfile& profile, double azimuth);

// True when a sun at (azimuth, altitude) lies below the skyline.
bool sunBelowHorizon(const HorizonProfile& profile, double azimuth, double altitude);

// The skyline as a closed polyline of (azimuth, elevation) from -180 to
// +180 degrees (721 points, the last repeating the first at +180).
std::vector<std::pair<double, double>> horizonPolyline(const HorizonProfile& profile);

// The skyline the dial constructions draw: horizonPolyline of the loaded
// profile while it is shown, else empty.
std::vector<std::pair<double, double>> shownHorizonPolyline();

}  // namespace tavrel
