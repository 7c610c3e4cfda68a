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
  for (int e = 0, n = dialTypeEntryCount(); e < n; ++e) {
    const DialFamily* f = familyAtEntry(e, nullptr);
    if (expertMode || !f || !(f->capabilities & kCapExpertOnly)) out.push_back(e);
  }
  return out;
}

int dialTypeEntryOf(const DesignState& d) {
  if (d.umbrellaMode) return umbrellaDialTypeEntry();
  const int entry = dialTypeEntryOfKind(d.dialKind);
  return entry >= 0 ? entry : dialTypeEntryOfKind(firstKind());
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
  if (f->chosen) f->chosen(d);
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

std::vector<const DialValueField*> dialValueFields(const DesignState& d) {
  const DialFamily* f = familyOf(d);
  if (!f) return {};
  return f->valueFields ? f->valueFields(d) : f->values;
}

std::vector<const DialValueField*> allDialValueFields() {
  std::vector<const DialValueField*> out;
  for (const DialFamily& f : dialFamilies())
    for (const DialValueField* v : f.values)
      if (std::find(out.begin(), out.end(), v) == out.end()) out.push_back(v);
  return out;
}

// Window texts of the shared fields' labels (the windows' text table).
constexpr int kWallLabelRow = 1100, kInclinationLabelRow = 1101, kGnomonDeclinationLabelRow = 1105;

const DialValueField kWallDeclinationField = [] {
  DialValueField f;
  f.name = "wallDeclination";
  f.real = &DesignState::wallDeclination;
  f.label = {DialValueLabel::WindowTexts, kWallLabelRow};
  f.gnomonLabel = {DialValueLabel::WindowTexts, kGnomonDeclinationLabelRow};
  f.planeAngle = true;
  f.planeMessage = 0;
  f.exitMin = f.closeMin = -180;
  f.exitMax = f.closeMax = 180;
  return f;
}();

const DialValueField kInclinationField = [] {
  DialValueField f;
  f.name = "planeInclination";
  f.real = &DesignState::planeInclination;
  f.label = {DialValueLabel::WindowTexts, kInclinationLabelRow};
  f.planeAngle = true;
  f.planeMessage = 3;
  f.exitMin = f.closeMin = 0;
  f.exitMax = f.closeMax = 175;
  return f;
}();

const DialValueField kGnomonHeightField = [] {
  DialValueField f;
  f.name = "gnomonLength";
  f.real = &DesignState::gnomonLength;
  f.label = {DialValueLabel::Strings, 6};
  f.exitMin = 5;
  f.exitMax = 200;
  f.closeMin = 3;
  f.closeMax = 120;
  return f;
}();

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
  const DialFamily* f = familyAtEntry(umbrellaDialTypeEntry(), nullptr);
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

void rangeBox(const LabelledField& f, const std::string& text, Range r) {
  // Message 62: "The value must be in between ".
  showMessage(MsgCaption::Problem, f.label + " = " + text + std::string(kMessageBreak) +
                                       messageText(62) + plainNumber(r.min) + " ... " +
                                       plainNumber(r.max) + " !");
}

// A plane angle outside its range is refused with its message and "Action
// cancelled!", and the field is cleared.
bool checkPlaneAngle(DesignState& d, const DialValueField& v, const LabelledField& f) {
  double& target = d.*v.real;
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
  if (*value < v.exitMin || *value > v.exitMax) {
    showMessage(MsgCaption::Problem, messagePair(v.planeMessage, 1));
    f.field->setText("");
    f.field->takeFocus();
    return false;
  }
  target = *value;
  return true;
}

bool checkRanged(DesignState& d, const DialValueField& v, const LabelledField& f, Range r) {
  std::string text = f.field->text();
  if (v.cutAtPoint) {
    const std::size_t point = text.find('.');
    if (point != std::string::npos) text.erase(point);
  }
  if (text.find_first_not_of(' ') == std::string::npos) {
    f.field->setText(dialValueText(d, v));
    return true;
  }
  const bool integer = v.whole != nullptr;
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
    if (v.rangeStrings >= 0)
      showMessage(MsgCaption::Error, loadString(v.rangeStrings) + std::string(kMessageBreak) +
                                         loadString(v.rangeStrings + 1));
    else
      rangeBox(f, text, r);
  }
  if (!ok) {
    f.field->setText(dialValueText(d, v));
    f.field->takeFocus();
    return false;
  }
  if (integer) {
    d.*v.whole = static_cast<std::int32_t>(*value);
    f.field->setText(std::to_string(d.*v.whole));
  } else {
    d.*v.real = *value;
  }
  return true;
}

}  // namespace

std::string dialValueText(const DesignState& d, const DialValueField& v) {
  if (v.whole) return std::to_string(d.*v.whole);
  return plainNumber(d.*v.real);
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

bool checkDialValueOnExit(DesignState& d, const DialValueField& v, const LabelledField& f) {
  if (v.planeAngle) return checkPlaneAngle(d, v, f);
  const bool ok = checkRanged(d, v, f, {v.exitMin, v.exitMax});
  if (ok && v.accepted) v.accepted(d);
  return ok;
}

bool checkDialTypeWindow(DesignState& d, const std::map<const DialValueField*, LabelledField>& fields) {
  bool ok = true;
  auto field = [&](const DialValueField* v) -> const LabelledField* {
    const auto it = fields.find(v);
    return it == fields.end() || !it->second.field ? nullptr : &it->second;
  };
  // The plane angles first (declination before inclination), then the
  // other fields shown, with the wider ranges of the close check.
  for (const DialValueField* v : allDialValueFields())
    if (const LabelledField* f = field(v); f && v->planeAngle) ok = checkPlaneAngle(d, *v, *f) && ok;
  const DialFamily* family = familyOf(d);
  if (family && family->valuesCheckedOnClose)
    for (const DialValueField* v : dialValueFields(d))
      if (const LabelledField* f = field(v); f && !v->planeAngle)
        ok = checkRanged(d, *v, *f, {v->closeMin, v->closeMax}) && ok;
  if (family && family->afterCloseCheck) family->afterCloseCheck(d);
  return ok;
}

}  // namespace tavrel
