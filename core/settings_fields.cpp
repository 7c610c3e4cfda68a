#include "core/settings_fields.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "core/design_state.h"
#include "core/dial_kinds.h"
#include "core/language.h"
#include "core/platform.h"
#include "base/number_text.h"

namespace tavrel::settings_detail {

namespace {

// --- Conversions ------------------------------------------------------
// Numbers in the file always use "." whatever the locale; std::from_chars
// is locale-independent.

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::optional<std::int32_t> toInt(std::string_view s) {
  s = trimBlanks(s);
  if (!s.empty() && s.front() == '+') {
    s.remove_prefix(1);
    if (s.empty() || !isDigit(s.front())) return std::nullopt;
  }
  if (s.empty() || (s.front() != '-' && !isDigit(s.front()))) return std::nullopt;
  std::int32_t v = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

namespace {

// The file holds the Sawyer dial's time mode; the half-analemma switch
// that the parameter page derives from it is not written, so it follows
// the mode read. (The straight-line switch has a flag of its own.)
void setSawyerTimeMode(DesignState& d, int mode) {
  d.sawyerTimeMode = static_cast<std::uint8_t>(mode);
  d.sawyerMeanHalfAnalemma = mode == 2;
}

// A real number: blanks around it, an optional sign, digits with at most
// one ".", at least one digit, an optional exponent. Finite values only.
std::optional<double> toReal(std::string_view s) {
  s = trimBlanks(s);
  if (!s.empty() && s.front() == '+' && (s.size() < 2 || s[1] != '-')) s.remove_prefix(1);
  std::size_t i = 0;
  if (i < s.size() && s[i] == '-') ++i;
  std::size_t digits = 0;
  while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  double v = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(v))
    return std::nullopt;
  return v;
}

// A real token rounded to the nearest integer (ties to even) when it fits
// 32 bits.
std::optional<std::int32_t> toRoundedInt(std::string_view s) {
  const auto v = toReal(s);
  if (!v) return std::nullopt;
  const double r = std::nearbyint(*v);
  if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(r);
}

// The values of lines 1..4, 6..8, 16 and 17: separators are blanks,
// commas and semicolons; a token is the longest run of "-", "." and
// digits. Any other character ends the token and leaves every following
// token empty (a conversion error).
class NumberTokens {
 public:
  explicit NumberTokens(std::string_view line) : rest_(line) { skipSeparators(); }

  // A later value is read only while text is left.
  bool hasMore() const { return !rest_.empty(); }
  // The rest of the line from the next token on.
  std::string_view rest() const { return rest_; }

  std::string_view next() {
    std::size_t n = 0;
    while (n < rest_.size() && isTokenChar(rest_[n])) ++n;
    const std::string_view token = rest_.substr(0, n);
    rest_.remove_prefix(n);
    skipSeparators();
    return token;
  }

 private:
  static bool isTokenChar(char c) { return c == '-' || c == '.' || isDigit(c); }
  static bool isSeparator(char c) { return c == ' ' || c == ',' || c == ';'; }
  void skipSeparators() {
    while (!rest_.empty() && isSeparator(rest_.front())) rest_.remove_prefix(1);
  }
  std::string_view rest_;
};

// Line 15 with a ";": every character but "-", "." and digits separates;
// only the first token keeps its minus signs.
std::vector<std::string> ringLineTokens(std::string_view s) {
  std::vector<std::string> tokens;
  const auto isNumberChar = [](char c) { return c == '-' || c == '.' || isDigit(c); };
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && !isNumberChar(s[i])) ++i;
    std::string token;
    for (; i < s.size() && isNumberChar(s[i]); ++i)
      if (s[i] != '-' || tokens.empty()) token += s[i];
    tokens.push_back(std::move(token));
  }
  return tokens;
}

// Line 5: the item is the text before the next ","; when no "," is left,
// before the next ";"; otherwise the whole rest.
std::string_view nextItem(std::string_view& rest) {
  std::size_t cut = rest.find(',');
  if (cut == std::string_view::npos) cut = rest.find(';');
  if (cut == std::string_view::npos) {
    const std::string_view item = rest;
    rest = {};
    return item;
  }
  const std::string_view item = rest.substr(0, cut);
  rest.remove_prefix(cut + 1);
  return item;
}

// Lines read by character position (flag string, dial-kind code, language
// line, interval digits) are counted in characters, as in the historic
// single-byte file: every non-ASCII character becomes one DEL, which
// matches no expected character. The lines are well-formed UTF-8.
std::string oneBytePerCharacter(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) out += c;
    else if (b >= 0xC0) out += '\x7F';  // lead byte; continuation bytes are dropped
  }
  return out;
}

void reportFault(const std::string& text) {
  showMessage(MsgCaption::Error, MsgIcon::Question, text);
}

// "Line 7:<rest> : INI-Datei ist fehlerhaft!" and its relatives.
// The texts come from the work-text table (workTextRow::kIniLine,
// kIniInLine, kIniFaulty), in the language current at the time.
std::string faultText(int prefixRow, int lineNumber, std::string_view what) {
  return workText(prefixRow) + std::to_string(lineNumber) + ":" + std::string(what) +
         workText(workTextRow::kIniFaulty);
}

// "Line 16/1 : INI-Datei ist fehlerhaft!": a value without its own text.
std::string lineFaultText(std::string_view where) {
  return workText(workTextRow::kIniLine) + std::string(where) + workText(workTextRow::kIniFaulty);
}

// --- The value lines ----------------------------------------------------

// Line 15: the umbrella's radius ratio; with a ";" also the ring's
// diameter, width and angle. Never stops the reading.
bool readRingLine(DesignState& d, const std::string& line) {
  if (line.find(';') == std::string::npos) {
    if (const auto v = toReal(line)) d.umbrellaRadiusRatio = *v;
    else reportFault(lineFaultText("15"));
    return true;
  }
  const std::vector<std::string> tokens = ringLineTokens(line);
  for (std::size_t k = 0; k < tokens.size() && k < 4; ++k) {
    const auto v = toReal(tokens[k]);
    switch (k) {
      case 0:
        // A bad ratio keeps the value held before.
        if (v) d.umbrellaRadiusRatio = *v;
        else reportFault(lineFaultText("16/1"));
        break;
      case 1:
        d.ringDiameter = (v && *v >= 0 && *v <= 300) ? *v : 110;
        break;
      case 2:
        if (v) {
          d.ringWidth = *v;
        } else {
          d.ringWidth = 50;
          reportFault(lineFaultText("16/3"));
        }
        break;
      case 3:
        d.ringAlpha = (v && *v >= 0 && *v <= 90) ? *v : 50;
        break;
    }
  }
  return true;
}

// Line 9 from its first non-blank character on: one character per
// switch, digit or choice.
bool readFlagString(DesignState& d, std::string_view s) {
  const auto present = [&](std::size_t pos) { return pos < s.size(); };
  const auto at = [&](std::size_t pos) { return present(pos) ? s[pos] : '\0'; };
  const auto flag = [&](std::size_t pos) { return at(pos) == 'j'; };
  const auto digitIn = [&](std::size_t pos, char lo, char hi) {
    return present(pos) && at(pos) >= lo && at(pos) <= hi;
  };

  if (!digitIn(0, '0', '3')) {
    d.dateLineMode = '0';
    return false;
  }
  d.dateLineMode = at(0);
  if (!digitIn(1, '0', '6')) {
    d.eotLineInterval = '0';
    return false;
  }
  d.eotLineInterval = at(1);
  d.linesToStyleFoot = flag(2);
  d.sawyerMeanStraight = flag(3);
  d.localTimeNoEot = flag(4);
  d.markAnalemma = flag(5);
  d.babylonianHours = flag(6);
  d.italianHours = flag(7);
  d.sunAltitudeLines = flag(8);
  d.temporalHourLines = flag(9);
  d.quadrantMirrored = flag(10);
  d.constructionWithEot = flag(11);
  switch (at(12)) {
    case 'j':
    case '1':
      d.zoneTime = true;
      d.localTime = false;
      d.temporalHours = false;
      break;
    case '0':
    case 'n':
      d.zoneTime = false;
      d.localTime = true;
      d.temporalHours = false;
      break;
    case '2':
      d.temporalHours = true;
      break;
    default:
      break;
  }
  d.januaryOutside = flag(13);
  d.eotLinesOwnMeridian = flag(14);
  d.halfYearMonthScale = flag(15);
  d.cylinderWithEot = flag(16);
  // Position 17 repeats localTime; position 12 has set it.
  if (present(18)) {
    if (!digitIn(18, '0', '5')) {
      d.hourLineInterval = '0';
      return false;
    }
    d.hourLineInterval = at(18);
  }
  d.withVerticalDial = flag(19);
  d.wholeYearQuadrant = flag(20);
  d.umbrellaLocalTime = flag(21);
  d.drawPoleTriangle = flag(22);
  d.withEot = flag(23);
  if (!digitIn(24, '0', '5')) {
    d.analemmaMarkDays = 0;
    return false;
  }
  d.analemmaMarkDays = static_cast<std::uint8_t>(at(24) - '0');
  d.markAnalemma = flag(25);
  d.showDateCircles = flag(26);
  if (!present(27)) {
    d.ringRayDeflection = 0;
  } else if (!digitIn(27, '0', '2')) {
    d.ringRayDeflection = 0;
    return false;
  } else {
    d.ringRayDeflection = static_cast<std::uint8_t>(at(27) - '0');
  }
  d.noonLineHorizontal = flag(28);
  if (present(29)) {
    if (!digitIn(29, '0', '9')) return false;
    d.lineWidth = static_cast<std::uint8_t>(at(29) - '0');
  }
  d.hollanderVertical = flag(30);
  d.secondPlaneVertical = flag(31);
  d.hollanderVariant = digitIn(32, '0', '8') ? static_cast<std::uint8_t>(at(32) - '0') : 0;
  if (!present(33)) d.azimuthHeightMode = 1;
  else d.azimuthHeightMode = digitIn(33, '0', '2') ? static_cast<std::uint8_t>(at(33) - '0') : 0;
  d.azimuthDialKind = digitIn(34, '0', '1') ? static_cast<std::uint8_t>(at(34) - '0') : 0;
  d.zodiacScale = digitIn(35, '0', '2') ? static_cast<std::uint8_t>(at(35) - '0') : 0;
  if (present(36)) d.integerSunshineLines = flag(36);
  return true;
}

// The dial-kind code of line 10: "sh", "si", "sv" for the umbrella dials,
// "q0".."q2", "c0" (bi-azimuthal; "c1" is the Hollander dial of old files),
// "m0".., "z0".."z2" with their variant digit, every other kind its letter.
void readDialKind(DesignState& d, std::string_view s) {
  const auto isKind = [](char c) { return registeredDialKind(c) != nullptr; };
  // A code that names no dial leaves the kind as it was: the constructions
  // rely on a known letter.
  if (s.empty()) return;
  if (s[0] == 's') {
    const DialKindCode* umbrella = s.size() < 2 ? nullptr : registeredDialKind(s[1]);
    if (!umbrella || !umbrella->umbrellaForm) return;
    d.umbrellaMode = true;
    d.dialKind = s[1];
    return;
  }
  if (!isKind(s[0])) return;
  d.umbrellaMode = false;
  d.dialKind = s[0];
  if (s[0] == 'c' && s.size() > 1 && s[1] == '1') d.dialKind = 'm';
  if (s.size() < 2) return;
  const std::uint8_t variant = isDigit(s[1]) ? static_cast<std::uint8_t>(s[1] - '0') : 0;
  if (const DialKindCode* code = registeredDialKind(s[0]); code->variant) d.*code->variant = variant;
}

char yesNo(bool v) { return v ? 'j' : 'n'; }

char digitChar(int v) { return static_cast<char>('0' + v); }

std::string flagString(const DesignState& d) {
  std::string s;
  s += d.dateLineMode;
  s += d.eotLineInterval;
  s += yesNo(d.linesToStyleFoot);
  s += yesNo(d.sawyerMeanStraight);
  s += yesNo(d.localTimeNoEot);
  s += yesNo(d.markAnalemma);
  s += yesNo(d.babylonianHours);
  s += yesNo(d.italianHours);
  s += yesNo(d.sunAltitudeLines);
  s += yesNo(d.temporalHourLines);
  s += yesNo(d.quadrantMirrored);
  s += yesNo(d.constructionWithEot);
  s += d.temporalHours ? '2' : d.zoneTime ? '1' : '0';
  s += yesNo(d.januaryOutside);
  s += yesNo(d.eotLinesOwnMeridian);
  s += yesNo(d.halfYearMonthScale);
  s += yesNo(d.cylinderWithEot);
  s += yesNo(d.localTime);
  s += d.hourLineInterval;
  s += yesNo(d.withVerticalDial);
  s += yesNo(d.wholeYearQuadrant);
  s += yesNo(d.umbrellaLocalTime);
  s += yesNo(d.drawPoleTriangle);
  s += yesNo(d.withEot);
  s += digitChar(d.analemmaMarkDays);
  s += yesNo(d.markAnalemma);
  s += yesNo(d.showDateCircles);
  s += digitChar(d.ringRayDeflection);
  s += yesNo(d.noonLineHorizontal);
  s += digitChar(d.lineWidth);
  s += yesNo(d.hollanderVertical);
  s += yesNo(d.secondPlaneVertical);
  s += digitChar(d.hollanderVariant);
  s += digitChar(d.azimuthHeightMode);
  s += digitChar(d.azimuthDialKind);
  s += digitChar(d.zodiacScale);
  s += yesNo(d.integerSunshineLines);
  return s;
}

std::string dialKindCode(const DesignState& d) {
  if (d.umbrellaMode) return std::string("s") + d.dialKind;
  const DialKindCode* code = registeredDialKind(d.dialKind);
  std::string s(1, d.dialKind);
  if (code && code->variant) s += digitChar(d.*code->variant);
  if (code && code->fixedDigit) s += code->fixedDigit;
  return s;
}

// --- Readers and writers of the value lines -----------------------------

// Line 0: the reference year; a bad one is 2020.
bool readYear(DesignState& d, const std::string& line) {
  d.referenceYear = toInt(line).value_or(2020);
  return true;
}

// Lines 1, 2 and 6: two angles, each within its limit; the second only
// while text is left.
bool readTwoAngles(DesignState& d, const std::string& line, double DesignState::*first,
                   double DesignState::*second, double limit, double replacement) {
  NumberTokens t(line);
  for (double DesignState::*field : {first, second}) {
    if (field == second && !t.hasMore()) break;
    double& target = d.*field;
    const auto v = toReal(t.next());
    if (!v || std::fabs(*v) > limit) {
      target = replacement;
      return false;
    }
    target = *v;
    // Latitudes are kept off exactly zero, as in the location window.
    if (first == &DesignState::latitude && std::fabs(target) < 1e-6) target = 1e-6;
  }
  return true;
}

bool readLatitudes(DesignState& d, const std::string& line) {
  return readTwoAngles(d, line, &DesignState::latitude, &DesignState::latitude2, 90, 47.25);
}

bool readLongitudes(DesignState& d, const std::string& line) {
  return readTwoAngles(d, line, &DesignState::longitude, &DesignState::longitude2, 180, -9.59);
}

bool readWallDeclinations(DesignState& d, const std::string& line) {
  return readTwoAngles(d, line, &DesignState::wallDeclination, &DesignState::wallDeclination2,
                       180, -11.7);
}

// Line 3: the zone meridian.
bool readZoneMeridian(DesignState& d, const std::string& line) {
  NumberTokens t(line);
  const auto v = toReal(t.next());
  if (!v || std::fabs(*v) > 180) {
    d.zoneMeridian = -15;
    return false;
  }
  d.zoneMeridian = *v;
  return true;
}

// Line 4: three lengths and the shepherd's scale length.
bool readLengths(DesignState& d, const std::string& line) {
  NumberTokens t(line);
  double* reals[] = {&d.gnomonLength, &d.cylinderGnomonLength, &d.cylinderRadius};
  const double replacements[] = {35, 40, 250};
  for (int k = 0; k < 3; ++k) {
    if (k > 0 && !t.hasMore()) return true;
    const auto v = toReal(t.next());
    if (!v) {
      *reals[k] = replacements[k];
      return false;
    }
    *reals[k] = *v;
  }
  if (!t.hasMore()) return true;
  const auto v = toRoundedInt(t.next());
  if (!v) {
    d.shepherdScaleLength = 270;
    return false;
  }
  d.shepherdScaleLength = *v;
  return true;
}

// Line 5: six whole sizes (an empty item keeps its value) and the Habermel
// diameter.
bool readSizes(DesignState& d, const std::string& line) {
  std::int32_t* ints[] = {&d.cylinderGnomonLengthInt, &d.altitudeHorizontalScale,
                          &d.altitudeMonthScale, &d.altitudeDialGnomonLength,
                          &d.drawingScale, &d.quadrantSize};
  const std::int32_t replacements[] = {70, 170, 150, 150, 150, 150};
  std::string_view rest = line;
  for (int k = 0; k < 6; ++k) {
    if (rest.empty()) return true;
    const std::string_view item = nextItem(rest);
    if (trimBlanks(item).empty()) continue;
    *ints[k] = toInt(item).value_or(replacements[k]);
  }
  if (rest.empty()) return true;
  const auto v = toReal(nextItem(rest));
  if (!v) {
    d.habermelDiameter = 200;
    return false;
  }
  d.habermelDiameter = *v;
  return true;
}

// Line 7: the plane's inclination and the cone's axis and half angle.
bool readPlaneAndCone(DesignState& d, const std::string& line) {
  NumberTokens t(line);
  if (const auto v = toReal(t.next())) d.planeInclination = *v;
  if (!t.hasMore()) return true;
  const std::string rest(t.rest());
  const auto axis = toReal(t.next());
  if (!axis || *axis < 1) {
    d.coneAxisInclination = d.latitude < 0 ? d.latitude + 180 : d.latitude;
    reportFault(faultText(workTextRow::kIniLine, 7, rest));
    return false;
  }
  d.coneAxisInclination = *axis;
  if (!t.hasMore()) return true;
  const std::string_view token = t.next();
  const auto half = toReal(token);
  if (!half || *half < 1 || *half > 86) {
    d.coneHalfAngle = d.coneAxisInclination / 2;
    reportFault(faultText(workTextRow::kIniInLine, 7, token));
    return false;
  }
  d.coneHalfAngle = *half;
  return true;
}

// Line 8: the analemma's mark hour and the Sawyer dial's centre, line
// angle and time mode.
bool readAnalemmaAndSawyer(DesignState& d, const std::string& line) {
  NumberTokens t(line);
  d.analemmaMarkHour = toInt(t.next()).value_or(12);
  if (!t.hasMore()) return true;
  const std::string rest(t.rest());
  const auto centre = toReal(t.next());
  if (!centre || *centre < 0 || *centre > 900) {
    d.sawyerCentre = 90;
    reportFault(faultText(workTextRow::kIniLine, 8, rest));
    return false;
  }
  d.sawyerCentre = *centre;
  if (!t.hasMore()) return true;
  std::string_view token = t.next();
  const auto angle = toReal(token);
  if (!angle || *angle < 1 || *angle > 11) {
    d.sawyerLineAngle = 5;
    reportFault(faultText(workTextRow::kIniInLine, 8, token));
    return false;
  }
  d.sawyerLineAngle = *angle;
  if (!t.hasMore()) return true;
  token = t.next();
  const auto mode = toInt(token);
  // A negative mode cannot be held by the one-byte field: bad as well.
  if (!mode || *mode < 0 || *mode > 4) {
    setSawyerTimeMode(d, 2);
    reportFault(faultText(workTextRow::kIniInLine, 8, token));
    return false;
  }
  setSawyerTimeMode(d, *mode);
  return true;
}

bool readFlagLine(DesignState& d, const std::string& line) {
  const std::string chars = oneBytePerCharacter(line);
  std::string_view s = chars;
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return readFlagString(d, s);
}

bool readDialKindLine(DesignState& d, const std::string& line) {
  readDialKind(d, oneBytePerCharacter(line));
  return true;
}

// Lines 11 and 12: the hours of the hour lines, 0..24.
bool readHourLinesBound(std::int32_t& target, const std::string& line, std::int32_t replacement) {
  const auto v = toInt(line);
  if (!v) return false;
  if (*v < 0 || *v > 24) {
    target = replacement;
    return false;
  }
  target = *v;
  return true;
}

// Line 13: the language letter and the expert and map switches.
bool readLanguageLine(DesignState& d, const std::string& line) {
  const std::string chars = oneBytePerCharacter(line);
  const bool english = !chars.empty() && chars[0] == 'E';
  d.germanSelected = !english;
  selectLanguage(d.germanSelected);
  const auto flag = [&](std::size_t pos) { return pos < chars.size() && chars[pos] == 'j'; };
  d.expertMode = flag(1);
  d.mapOverlay = flag(2);
  d.mapFrontiers = flag(3);
  d.mapCoastlines = flag(4);
  return true;
}

std::string languageText(const DesignState& d) {
  std::string language = d.germanSelected ? "D" : "E";
  for (bool f : {d.expertMode, d.mapOverlay, d.mapFrontiers, d.mapCoastlines}) language += yesNo(f);
  return language;
}

// Line 16: the Habermel gnomon length, the Sawyer unit, the Peaucellier
// parameter and the Sawyer time mode. Faults are replaced and named but
// never stop the reading.
bool readHabermelAndSawyer(DesignState& d, const std::string& line) {
  NumberTokens t(line);
  d.habermelGnomonLength = 2.0;
  d.sawyerUnit = 32;
  d.peaucellierParameter = -0.8749;
  const auto gnomon = toReal(t.next());
  if (!gnomon || *gnomon < 1) {
    d.habermelGnomonLength = 2.0;
    reportFault(lineFaultText("17/1"));
  } else {
    d.habermelGnomonLength = *gnomon;
  }
  if (!t.hasMore()) return true;
  std::string_view token = t.next();
  const auto unit = toInt(token);
  if (!unit || *unit < 10) {
    d.sawyerUnit = 32;
    reportFault(faultText(workTextRow::kIniInLine, 16, token));
  } else {
    d.sawyerUnit = *unit;
  }
  if (!t.hasMore()) return true;
  token = t.next();
  const auto parameter = toReal(token);
  if (!parameter || std::fabs(*parameter) > 1.99) {
    d.peaucellierParameter = -0.9876;
    reportFault(faultText(workTextRow::kIniInLine, 16, token));
  } else {
    d.peaucellierParameter = *parameter;
  }
  if (!t.hasMore()) return true;
  token = t.next();
  const auto mode = toInt(token);
  if (!mode || *mode < 0 || *mode > 4) {
    setSawyerTimeMode(d, 2);
    reportFault(faultText(workTextRow::kIniInLine, 16, token));
  } else {
    setSawyerTimeMode(d, *mode);
  }
  return true;
}

// Line 17: the gnomon hole's offset and its limits, and the ring dial's
// part of the day of its Babylonian and Italian hours.
bool readGnomonHole(DesignState& d, const std::string& line) {
  NumberTokens t(line);
  // The limits of the obliquity in force before this file's year.
  const double half = d.obliquityRounded / 2;
  d.gnomonHoleOffset = 0;
  d.gnomonHoleOffsetMax = half;
  d.gnomonHoleOffsetMin = -half;
  // A file without the ring's half-day choice draws the Babylonian and
  // Italian hours all day, as the writer leaves that value out.
  d.ringOldHoursPart = 0;
  const auto offset = toReal(t.next());
  if (!offset || std::fabs(*offset) > 23.44) {
    d.gnomonHoleOffset = 0;
    return false;
  }
  d.gnomonHoleOffset = *offset;
  if (!t.hasMore()) return true;
  std::string_view token = t.next();
  const auto max = toReal(token);
  if (!max || *max < 0) {
    d.gnomonHoleOffsetMax = half;
    reportFault(faultText(workTextRow::kIniInLine, 17, token));
  } else {
    d.gnomonHoleOffsetMax = *max;
  }
  if (!t.hasMore()) return true;
  token = t.next();
  const auto min = toReal(token);
  if (!min || *min > 0) {
    d.gnomonHoleOffsetMin = -half;
    reportFault(faultText(workTextRow::kIniInLine, 17, token));
  } else {
    d.gnomonHoleOffsetMin = *min;
  }
  // An optional fourth value: the ring dial's part of the day of its
  // Babylonian and Italian hours (0 all day, 1 before noon, 2 afternoon).
  if (!t.hasMore()) return true;
  token = t.next();
  const auto part = toInt(token);
  if (!part || *part < 0 || *part > 2) {
    reportFault(faultText(workTextRow::kIniInLine, 17, token));
  } else {
    d.ringOldHoursPart = static_cast<std::uint8_t>(*part);
  }
  return true;
}

// The ring's half-day choice follows as a fourth value only when it is
// not "all day", so that the line keeps its three values otherwise and
// a reader that knows three values reads every file.
std::string gnomonHoleText(const DesignState& d) {
  std::string holeLine = fixedText(d.gnomonHoleOffset, 7, 2) + ";" +
                         fixedText(d.gnomonHoleOffsetMax, 7, 2) + ";" +
                         fixedText(d.gnomonHoleOffsetMin, 7, 2);
  if (d.ringOldHoursPart != 0) holeLine += ";" + fixedText(d.ringOldHoursPart, 2, 0);
  return holeLine;
}

}  // namespace

// In file order: line k of the file is kValueLines[k].
const std::array<ValueLine, kValueLineCount> kValueLines = {{
    {readYear, [](const DesignState& d) { return std::to_string(d.referenceYear); }},
    {readLatitudes,
     [](const DesignState& d) {
       return fixedText(d.latitude, 10, 6) + ";" + fixedText(d.latitude2, 12, 2);
     }},
    {readLongitudes,
     [](const DesignState& d) {
       return fixedText(d.longitude, 10, 6) + ";" + fixedText(d.longitude2, 12, 2);
     }},
    {readZoneMeridian, [](const DesignState& d) { return fixedText(d.zoneMeridian, 12, 2); }},
    {readLengths,
     [](const DesignState& d) {
       return fixedText(d.gnomonLength, 6, 2) + ";" + fixedText(d.cylinderGnomonLength, 6, 2) +
              ";" + fixedText(d.cylinderRadius, 8, 2) + ";" +
              fixedText(d.shepherdScaleLength, 7, 0);
     }},
    {readSizes,
     [](const DesignState& d) {
       return std::to_string(d.cylinderGnomonLengthInt) + "," +
              std::to_string(d.altitudeHorizontalScale) + "," +
              std::to_string(d.altitudeMonthScale) + "," +
              std::to_string(d.altitudeDialGnomonLength) + "," + std::to_string(d.drawingScale) +
              "," + std::to_string(d.quadrantSize) + "," + fixedText(d.habermelDiameter, 6, 1);
     }},
    {readWallDeclinations,
     [](const DesignState& d) {
       return fixedText(d.wallDeclination, 11, 6) + ";" + fixedText(d.wallDeclination2, 10, 6);
     }},
    {readPlaneAndCone,
     [](const DesignState& d) {
       return fixedText(d.planeInclination, 11, 6) + ";" +
              fixedText(d.coneAxisInclination, 10, 6) + ";" + fixedText(d.coneHalfAngle, 10, 6);
     }},
    {readAnalemmaAndSawyer,
     [](const DesignState& d) {
       return std::to_string(d.analemmaMarkHour) + ";" + fixedText(d.sawyerCentre, 6, 1) + ";" +
              fixedText(d.sawyerLineAngle, 7, 2) + ";  " + fixedText(d.sawyerTimeMode, 2, 0);
     }},
    {readFlagLine, flagString},
    {readDialKindLine, dialKindCode},
    {[](DesignState& d, const std::string& line) {
       return readHourLinesBound(d.hourLinesFrom, line, 7);
     },
     [](const DesignState& d) { return std::to_string(d.hourLinesFrom); }},
    {[](DesignState& d, const std::string& line) {
       return readHourLinesBound(d.hourLinesTo, line, 19);
     },
     [](const DesignState& d) { return std::to_string(d.hourLinesTo); }},
    {readLanguageLine, languageText},
    {[](DesignState& d, const std::string& line) {
       d.childWindowsNormal = line != "false";
       return true;
     },
     [](const DesignState& d) { return std::string(d.childWindowsNormal ? "true" : "false"); }},
    {readRingLine,
     [](const DesignState& d) {
       return fixedText(d.umbrellaRadiusRatio, 11, 6) + ";" + fixedText(d.ringDiameter, 7, 2) +
              ";" + fixedText(d.ringWidth, 7, 2) + ";" + fixedText(d.ringAlpha, 5, 1);
     }},
    // The first value of this line is the Habermel gnomon length, the
    // field the reader fills from it (the diameter is in line 5).
    {readHabermelAndSawyer,
     [](const DesignState& d) {
       return fixedText(d.habermelGnomonLength, 7, 1) + ";" + fixedText(d.sawyerUnit, 6, 0) +
              ";" + fixedText(d.peaucellierParameter, 9, 4);
     }},
    {readGnomonHole, gnomonHoleText},
}};

const std::array<HourRange, kHourRangeCount> kHourRanges = {{
    {&DesignState::eotLinesFrom, 0, 24, 8},       {&DesignState::eotLinesTo, 0, 24, 18},
    {&DesignState::babylonianFrom, 0, 24, 0},     {&DesignState::babylonianTo, 0, 24, 12},
    {&DesignState::italianFrom, 0, 24, 18},       {&DesignState::italianTo, 0, 24, 24},
    {&DesignState::temporalFrom, 0, 12, 1},       {&DesignState::temporalTo, 0, 12, 11},
    {&DesignState::altitudeFrom, 10, 90, 10},     {&DesignState::altitudeTo, 10, 90, 10},
    {&DesignState::otherHoursFrom, 0, 24, 8},     {&DesignState::otherHoursTo, 0, 24, 18},
    {&DesignState::otherTemporalFrom, 0, 12, 1},  {&DesignState::otherTemporalTo, 0, 12, 12},
}};

bool readHourIntervals(DesignState& d, const std::string& line) {
  const std::string chars = oneBytePerCharacter(line);
  std::string_view s = chars;
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  std::uint8_t* digits[] = {&d.babylonianInterval, &d.italianInterval, &d.temporalInterval,
                            &d.altitudeInterval, nullptr, &d.temporalIntervalOther};
  for (std::size_t pos = 0; pos < s.size() && pos < 6; ++pos) {
    // The interval of the other dial pages is kept as a character, but it
    // indexes the interval list like the others: a non-digit stops too.
    if (!isDigit(s[pos])) return false;
    if (pos == 4) d.otherHourInterval = s[pos];
    else *digits[pos] = static_cast<std::uint8_t>(s[pos] - '0');
  }
  return true;
}

std::string hourIntervalsText(const DesignState& d) {
  std::string intervals;
  intervals += std::to_string(d.babylonianInterval);
  intervals += std::to_string(d.italianInterval);
  intervals += std::to_string(d.temporalInterval);
  intervals += std::to_string(d.altitudeInterval);
  intervals += d.otherHourInterval;
  intervals += std::to_string(d.temporalIntervalOther);
  return intervals;
}

}  // namespace tavrel::settings_detail
