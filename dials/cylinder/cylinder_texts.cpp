#include "dials/cylinder/cylinder_texts.h"

#include "core/design_state.h"
#include "core/language.h"

namespace tavrel {

std::string cylinderText(CylinderText id) {
  return tableText(TextTable::Texts, static_cast<int>(id));
}

std::string cylinderText(CylinderText id, int language) {
  return tableText(TextTable::Texts, static_cast<int>(id), language);
}

std::string cylinderTimeLine(const DesignState& d, CylinderDialKind kind, bool plot) {
  const bool hidokai = kind == CylinderDialKind::Hidokai;
  const bool temporal = hidokai ? d.temporalHours : d.temporalHourLines;
  const bool ordinary = hidokai ? !d.temporalHours : d.localTimeNoEot;
  std::string s;
  if (ordinary) {
    s = d.localTime ? loadString(308) : (plot ? loadString(307) : tableText(TextTable::Texts, 17));
    s += " " + cylinderText(d.cylinderWithEot ? CylinderText::WithEot : CylinderText::WithoutEot);
  }
  if (temporal) s += ", " + cylinderText(CylinderText::TemporalHours);
  if (plot && d.expertMode && !hidokai) {
    if (d.italianHours) s += cylinderText(CylinderText::Italian) + cylinderText(CylinderText::Hours);
    if (d.babylonianHours) s += cylinderText(CylinderText::Babylonian) + cylinderText(CylinderText::Hours);
  }
  while (!s.empty() && (s[0] == ',' || s[0] == ' ')) s.erase(0, 1);
  return s;
}

}  // namespace tavrel
