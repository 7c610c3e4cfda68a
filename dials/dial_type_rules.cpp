#include "dials/dial_type_rules.h"

#include <algorithm>

#include <cmath>
#include <cstdio>

#include "core/design_state.h"
#include "core/field_checks.h"
#include "core/language.h"
#include "core/platform.h"
#include "base/geometry.h"
#include "base/number_text.h"

namespace tavrel {

namespace {

// The family and the letter of a list position (the umbrella position
// answers with the row that has the umbrella form and no letter).
const DialFamily* familyAtEntry(int entry, char* letter) {
  for (const DialFamily& f : dialFamilies()) {
    if (f.umbrellaEntry == entry) return &f;
    for (const DialKindEntry& k : f.kinds)
      if (k.entry == entry) {
        if (letter) *letter = k.letter;
        return &f;
      }
  }
  return nullptr;
}

char firstKind() {
  const std::vector<DialFamily>& rows = dialFamilies();
  return rows.empty() || rows.front().kinds.empty() ? 'h' : rows.front().kinds.front().letter;
}

}  // namespace

std::vector<int> dialTypeEntries(bool expertMode) {
  std::vector<int> out;
  for (int e = 0; e < kDialTypeEntryCount; ++e) {
    const DialFamily* f = familyAtEntry(e, nullptr);
    if (expertMode || !f || !(f->capabilities & kCapExpertOnly)) out.push_back(e);
  }
  return out;
}

int dialTypeEntryOf(const DesignState& d) {
  if (d.umbrellaMode) return kEntryUmbrella;
  if (const DialFamily* f = familyOf(d))
    for (const DialKindEntry& k : f->kinds)
      if (k.letter == d.dialKind) return k.entry;
  return kEntryHorizontal;
}

void selectDialTypeEntry(DesignState& d, int entry) {
  d.umbrellaMode = false;
  char letter = 0;
  const DialFamily* f = familyAtEntry(entry, &letter);
  if (!f) return;
  if (entry == f->umbrellaEntry) {
    // The umbrella form keeps a kind of its family, else takes the first.
    if (familyOf(d) != f) d.dialKind = f->kinds.front().letter;
    d.umbrellaMode = true;
    return;
  }
  d.dialKind = letter;
  // Side effects of single entries.
  if (entry == kEntryVertical) d.planeInclination = 90;
  if (entry == kEntryQuadrant) d.quadrantVariant = 0;
  if (entry == kEntryCylinder) d.cylinderVariant = 0;
}

int dialTypeHelpTopic(int entry) {
  const DialFamily* f = familyAtEntry(entry, nullptr);
  if (!f) return 0;
  return entry == f->umbrellaEntry ? f->umbrellaHelpTopic : f->helpTopic;
}

void dialKindForExpertMode(DesignState& d) {
  const DialFamily* f = familyOf(d);
  if (!d.expertModeActive && f && (f->capabilities & kCapExpertOnly)) d.dialKind = firstKind();
}

int dialPictureNumber(const DesignState& d) {
  const DialFamily* f = familyOf(d);
  return f && f->picture ? f->picture(d) : 0;
}

int colourLegendBlock(char dialKind, int current) {
  const DialFamily* f = familyOfKind(dialKind);
  return f && f->legendBlock >= 0 ? f->legendBlock : current;
}

std::vector<DialValue> dialValueFields(const DesignState& d) {
  const DialFamily* f = familyOf(d);
  return f && f->valueFields ? f->valueFields(d) : std::vector<DialValue>{};
}

bool dialSubChoiceShown(const DesignState& d, DialSubChoice c) {
  const DialFamily* f = familyOf(d);
  if (!f || f->subChoice != c || c == DialSubChoice::None) return false;
  if (c == DialSubChoice::QuadrantKind) return d.expertModeActive;
  if (c == DialSubChoice::CylinderKind) return !d.umbrellaMode;
  return true;
}

int umbrellaKindIndex(const DesignState& d) {
  const DialFamily* f = familyOf(d);
  if (!f) return 0;
  const std::string kinds = f->umbrellaKinds;
  const std::size_t i = kinds.find(d.dialKind);
  return i == std::string::npos ? 0 : static_cast<int>(i);
}

void selectUmbrellaKind(DesignState& d, int index) {
  const DialFamily* f = familyAtEntry(kEntryUmbrella, nullptr);
  if (!f) return;
  const std::string kinds = f->umbrellaKinds;
  if (index >= 0 && index < static_cast<int>(kinds.size())) d.dialKind = kinds[static_cast<std::size_t>(index)];
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

// The ranges a field accepts when the user leaves it, and the wider
// ranges of the close check.
struct Ranges {
  Range exit, close;
};
Ranges valueRanges(DialValue v) {
  switch (v) {
    case DialValue::GnomonHeight: return {{5, 200}, {3, 120}};
    case DialValue::CylinderGnomonInt: return {{4, 110}, {3, 220}};
    case DialValue::ShepherdScale: return {{3, 290}, {3, 290}};
    case DialValue::CylinderGnomonReal: return {{4, 110}, {3, 220}};
    case DialValue::CylinderRadius: return {{4, 500}, {4, 500}};
    case DialValue::AltitudeGnomon: return {{1, 110}, {3, 220}};
    case DialValue::HabermelDiameter: return {{30, 200}, {30, 200}};
    case DialValue::RingDiameter: return {{10, 300}, {10, 300}};
    default: return {{-180, 180}, {-180, 180}};
  }
}

}  // namespace

std::string dialValueText(const DesignState& d, DialValue v) {
  DesignState& m = const_cast<DesignState&>(d);
  if (const std::int32_t* i = intTarget(m, v)) return std::to_string(*i);
  return plainNumber(*realTarget(m, v));
}

void deriveHabermelGnomonLength(DesignState& d) {
  d.habermelGnomonLength =
      habermelGnomonLength(d.quadrantVariant, d.habermelDiameter, d.obliquityRounded, d.latitude);
}

double habermelGnomonLength(int variant, double diameter, double obliquity, double latitude) {
  if (variant != 1 && variant != 2) return 0;
  // The hour area is the disc less its 7.5 mm rim; the noon altitudes of
  // the solstices are kept between 1 and 89 degrees, as the dials keep them.
  const double hourRadius = (diameter - 15) / 2;
  const double summer = std::clamp(90 - latitude + obliquity, 1.0, 89.0);
  const double winter = std::clamp(90 - latitude - obliquity, 0.0, 89.0);
  const double g = variant == 1
                       // The pin's noon shadows run from the summer to the
                       // winter solstice across the whole hour circle.
                       ? 2 * hourRadius / (tanDeg(summer) + tanDeg(winter))
                       // The bar lies a third of the hour radius above the
                       // centre; the summer noon shadow reaches the rim.
                       : 4.0 / 3.0 * hourRadius / tanDeg(summer);
  return std::clamp(g, kHabermelGnomonMinMm, kHabermelGnomonMaxMm);
}

bool checkDialValueOnExit(DesignState& d, DialValue v, const LabelledField& f) {
  if (v == DialValue::WallDeclination || v == DialValue::Inclination)
    return checkPlaneAngle(d, v, f);
  const bool ok = checkRanged(d, v, f, valueRanges(v).exit);
  if (ok && v == DialValue::HabermelDiameter) deriveHabermelGnomonLength(d);
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

  // The other fields shown, with the wider ranges of the close check.
  const DialFamily* family = familyOf(d);
  if (family && family->valuesCheckedOnClose)
    for (DialValue v : dialValueFields(d))
      if (v != DialValue::WallDeclination && v != DialValue::Inclination) ranged(v, valueRanges(v).close);
  if (family && family->afterCloseCheck) family->afterCloseCheck(d);
  return ok;
}

}  // namespace tavrel
