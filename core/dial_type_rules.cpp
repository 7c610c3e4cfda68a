#include "core/dial_type_rules.h"

#include <cmath>
#include <cstdio>

#include "core/design_state.h"
#include "core/field_checks.h"
#include "core/language.h"
#include "core/platform.h"
#include "base/geometry.h"
#include "base/number_text.h"

namespace tavrel {

std::vector<int> dialTypeEntries(bool expertMode) {
  std::vector<int> out;
  for (int e = 0; e < kDialTypeEntryCount; ++e)
    if (expertMode || (e != kEntryBiAzimuthal && e != kEntryHollander)) out.push_back(e);
  return out;
}

int dialTypeEntryOf(const DesignState& d) {
  if (d.umbrellaMode) return kEntryUmbrella;
  switch (d.dialKind) {
    case 'h': return kEntryHorizontal;
    case 'v': return kEntryVertical;
    case 'i': return kEntryInclined;
    case 'q': return kEntryQuadrant;
    case 'a': return kEntryAzimuthal;
    case 'z': return kEntryCylinder;
    case 'k': return kEntryHidokai;
    case 'r': return kEntryRing;
    case 'c': return kEntryBiAzimuthal;
    case 'm': return kEntryHollander;
    case 'w': return kEntrySawyer;
    case 'p': return kEntryPeaucellier;
    case 'o': return kEntryHam;
    default: return kEntryHorizontal;
  }
}

void selectDialTypeEntry(DesignState& d, int entry) {
  d.umbrellaMode = false;
  switch (entry) {
    case kEntryHorizontal: d.dialKind = 'h'; break;
    case kEntryVertical:
      d.dialKind = 'v';
      d.planeInclination = 90;
      break;
    case kEntryInclined: d.dialKind = 'i'; break;
    case kEntryUmbrella:
      if (d.dialKind != 'h' && d.dialKind != 'v' && d.dialKind != 'i') d.dialKind = 'h';
      d.umbrellaMode = true;
      break;
    case kEntryQuadrant:
      d.dialKind = 'q';
      d.quadrantVariant = 0;
      break;
    case kEntryAzimuthal: d.dialKind = 'a'; break;
    case kEntryCylinder:
      d.dialKind = 'z';
      d.cylinderVariant = 0;
      break;
    case kEntryHidokai: d.dialKind = 'k'; break;
    case kEntryRing: d.dialKind = 'r'; break;
    case kEntryBiAzimuthal: d.dialKind = 'c'; break;
    case kEntryHollander: d.dialKind = 'm'; break;
    case kEntrySawyer: d.dialKind = 'w'; break;
    case kEntryPeaucellier: d.dialKind = 'p'; break;
    case kEntryHam: d.dialKind = 'o'; break;
    default: break;
  }
}

int dialTypeHelpTopic(int entry) {
  switch (entry) {
    case kEntryHorizontal:
    case kEntryVertical:
    case kEntryInclined: return 10;
    case kEntryUmbrella: return 12;
    case kEntryQuadrant: return 13;
    case kEntryAzimuthal: return 18;
    case kEntryCylinder: return 17;
    case kEntryHidokai: return 19;
    case kEntryRing: return 20;
    case kEntryBiAzimuthal: return 212;
    case kEntryHollander: return 54;
    case kEntrySawyer: return 55;
    default: return 0;
  }
}

void dialKindForExpertMode(DesignState& d) {
  if (!d.expertModeActive && (d.dialKind == 'c' || d.dialKind == 'm')) d.dialKind = 'h';
}

int dialPictureNumber(const DesignState& d) {
  if (d.umbrellaMode && (d.dialKind == 'h' || d.dialKind == 'v' || d.dialKind == 'i'))
    return d.dialKind == 'i' ? 3002 : 3001;
  switch (d.dialKind) {
    case 'a':
      if (d.azimuthDialKind == 1 && d.azimuthHeightMode == 1) return 3009;
      if (d.azimuthDialKind == 1 && d.azimuthHeightMode == 2) return 3015;
      return 3003;
    case 'q':
      return d.quadrantVariant == 1 ? 3010 : d.quadrantVariant == 2 ? 3011 : 3004;
    case 'h': return 2998;
    case 'v': return 3000;
    case 'z':
      return d.cylinderVariant == 1 ? 3012 : d.cylinderVariant == 2 ? 3013 : 3005;
    case 'k': return 3006;
    case 'r': return 3007;
    case 'm': return 3008;
    case 'c': return 3016;
    case 'w': return 3021;
    case 'p': return 3020;
    default: return 0;
  }
}

int colourLegendBlock(char dialKind, int current) {
  switch (dialKind) {
    case 'h':
    case 'i':
    case 'v': return 0;
    case 'q': return 12;
    case 'a': return 24;
    case 'k':
    case 'z': return 36;
    case 'r': return 48;
    case 'c': return 60;
    case 'm': return 72;
    case 'p':
    case 'w': return 84;
    default: return current;
  }
}

std::vector<DialValue> dialValueFields(const DesignState& d) {
  using V = DialValue;
  switch (d.dialKind) {
    case 'v': return {V::WallDeclination, V::GnomonHeight};
    case 'i': return {V::WallDeclination, V::Inclination, V::GnomonHeight};
    case 'h':
    case 'm':
    case 'w': return {V::GnomonHeight};
    case 'z':
      if (d.cylinderVariant == 2) return {V::CylinderGnomonReal, V::CylinderRadius, V::WallDeclination};
      return {V::CylinderGnomonInt, V::ShepherdScale};
    case 'k': return {V::AltitudeGnomon};
    case 'q':
      if (d.quadrantVariant == 1 || d.quadrantVariant == 2) return {V::HabermelDiameter};
      return {};
    case 'r': return {V::RingDiameter};
    default: return {};
  }
}

namespace {

// Shortest plain text of a limit or value: 4.5, 110, 0.35.
std::string plainNumber(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

struct Range {
  double min, max;
};

// Which record field a value field edits (reals; the integers below).
double* realTarget(DesignState& d, DialValue v) {
  switch (v) {
    case DialValue::WallDeclination: return &d.wallDeclination;
    case DialValue::Inclination: return &d.planeInclination;
    case DialValue::GnomonHeight: return &d.gnomonLength;
    case DialValue::CylinderGnomonReal: return &d.cylinderGnomonLength;
    case DialValue::CylinderRadius: return &d.cylinderRadius;
    case DialValue::HabermelDiameter: return &d.habermelDiameter;
    case DialValue::RingDiameter: return &d.ringDiameter;
    default: return nullptr;
  }
}

std::int32_t* intTarget(DesignState& d, DialValue v) {
  switch (v) {
    case DialValue::CylinderGnomonInt: return &d.cylinderGnomonLengthInt;
    case DialValue::ShepherdScale: return &d.shepherdScaleLength;
    case DialValue::AltitudeGnomon: return &d.altitudeDialGnomonLength;
    default: return nullptr;
  }
}

// Gnomon fields of the cylinder and altitude dials hold whole millimetres;
// a typed decimal point ends the number there.
bool cutsAtPoint(DialValue v) {
  return v == DialValue::CylinderGnomonInt || v == DialValue::AltitudeGnomon;
}

void rangeBox(const LabelledField& f, const std::string& text, Range r) {
  // Message 62: "The value must be in between ".
  showMessage(MsgCaption::Problem, f.label + " = " + text + std::string(kMessageBreak) +
                                       messageText(62) + plainNumber(r.min) + " ... " +
                                       plainNumber(r.max) + " !");
}

// Wall declination and inclination: an angle outside its range is refused
// with message 0 or 3 and "Action cancelled!", and the field is cleared.
bool checkPlaneAngle(DesignState& d, DialValue v, const LabelledField& f) {
  double& target = *realTarget(d, v);
  const std::string text = f.field->text();
  if (text.find_first_not_of(' ') == std::string::npos) {
    f.field->setText(dialValueText(d, v));
    return true;
  }
  const std::optional<double> value = parseRealText(text);
  if (!value) {
    showMessage(MsgCaption::Problem, messageText(4));
    f.field->setText("");
    f.field->takeFocus();
    return false;
  }
  const bool bad = v == DialValue::WallDeclination ? std::fabs(*value) > 180
                                                    : (std::fabs(*value) > 175 || *value < 0);
  if (bad) {
    showMessage(MsgCaption::Problem,
                messagePair(v == DialValue::WallDeclination ? 0 : 3, 1));
    f.field->setText("");
    f.field->takeFocus();
    return false;
  }
  target = *value;
  return true;
}

bool checkRanged(DesignState& d, DialValue v, const LabelledField& f, Range r) {
  std::string text = f.field->text();
  if (cutsAtPoint(v)) {
    const std::size_t point = text.find('.');
    if (point != std::string::npos) text.erase(point);
  }
  if (text.find_first_not_of(' ') == std::string::npos) {
    f.field->setText(dialValueText(d, v));
    return true;
  }
  const bool integer = intTarget(d, v) != nullptr;
  std::optional<double> value;
  if (integer) {
    if (const std::optional<std::int32_t> i = parseIntText(text)) value = *i;
  } else {
    value = parseRealText(text);
  }
  bool ok = value.has_value();
  if (!ok) {
    showMessage(MsgCaption::Problem, messageText(integer ? 5 : 4));
  } else if (*value < r.min || *value > r.max) {
    ok = false;
    if (v == DialValue::HabermelDiameter)
      showMessage(MsgCaption::Error,
                  loadString(577) + std::string(kMessageBreak) + loadString(578));
    else
      rangeBox(f, text, r);
  }
  if (!ok) {
    f.field->setText(dialValueText(d, v));
    f.field->takeFocus();
    return false;
  }
  if (integer) {
    *intTarget(d, v) = static_cast<std::int32_t>(*value);
    f.field->setText(std::to_string(*intTarget(d, v)));
  } else {
    *realTarget(d, v) = *value;
  }
  return true;
}

void deriveHabermelGnomon(DesignState& d) {
  d.habermelGnomonLength =
      habermelGnomonLength(d.quadrantVariant, d.habermelDiameter, d.obliquityRounded, d.latitude);
}

// The ranges a field accepts when the user leaves it.
Range exitRange(DialValue v) {
  switch (v) {
    case DialValue::GnomonHeight: return {5, 200};
    case DialValue::CylinderGnomonInt: return {4, 110};
    case DialValue::ShepherdScale: return {3, 290};
    case DialValue::CylinderGnomonReal: return {4, 110};
    case DialValue::CylinderRadius: return {4, 500};
    case DialValue::AltitudeGnomon: return {1, 110};
    case DialValue::HabermelDiameter: return {30, 200};
    case DialValue::RingDiameter: return {10, 300};
    default: return {-180, 180};
  }
}

}  // namespace

std::string dialValueText(const DesignState& d, DialValue v) {
  DesignState& m = const_cast<DesignState&>(d);
  if (const std::int32_t* i = intTarget(m, v)) return std::to_string(*i);
  return plainNumber(*realTarget(m, v));
}

double habermelGnomonLength(int variant, double diameter, double obliquity, double latitude) {
  const double e = obliquity;
  const double p = latitude;
  if (variant == 2) return (diameter - 15) / 2 / (tanDeg(90 - p + e) + 12);
  if (variant == 1) return (diameter - 15) / (tanDeg(90 - p + e) + tanDeg(90 - p - e));
  return 0;
}

bool checkDialValueOnExit(DesignState& d, DialValue v, const LabelledField& f) {
  if (v == DialValue::WallDeclination || v == DialValue::Inclination)
    return checkPlaneAngle(d, v, f);
  const bool ok = checkRanged(d, v, f, exitRange(v));
  if (ok && v == DialValue::HabermelDiameter) deriveHabermelGnomon(d);
  return ok;
}

bool checkDialTypeWindow(DesignState& d, const std::map<DialValue, LabelledField>& fields) {
  bool ok = true;
  auto field = [&](DialValue v) -> const LabelledField* {
    const auto it = fields.find(v);
    return it == fields.end() || !it->second.field ? nullptr : &it->second;
  };
  auto ranged = [&](DialValue v, Range r) {
    if (const LabelledField* f = field(v)) ok = checkRanged(d, v, *f, r) && ok;
  };
  if (const LabelledField* f = field(DialValue::WallDeclination))
    ok = checkPlaneAngle(d, DialValue::WallDeclination, *f) && ok;
  if (const LabelledField* f = field(DialValue::Inclination))
    ok = checkPlaneAngle(d, DialValue::Inclination, *f) && ok;

  switch (d.dialKind) {
    case 'z':
      if (d.cylinderVariant == 2) {
        ranged(DialValue::CylinderGnomonReal, {3, 220});
        ranged(DialValue::CylinderRadius, {4, 500});
      } else {
        ranged(DialValue::CylinderGnomonInt, {3, 220});
        ranged(DialValue::ShepherdScale, {3, 290});
      }
      break;
    case 'q':
      if (d.quadrantVariant == 1 || d.quadrantVariant == 2)
        ranged(DialValue::HabermelDiameter, {30, 200});
      deriveHabermelGnomon(d);
      break;
    case 'k': ranged(DialValue::AltitudeGnomon, {3, 220}); break;
    case 'h':
    case 'i':
    case 'v':
    case 'w':
      if (d.dialKind == 'h') {
        d.wallDeclination = 0;
        d.planeInclination = 0;
      }
      ranged(DialValue::GnomonHeight, {3, 120});
      break;
    default: break;
  }
  return ok;
}

}  // namespace tavrel
