// The ham dial's section of the planar page: its size, stretch, equinox
// position and latitude.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "base/geometry.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/field_checks.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/dial_type_rules.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "ui/parameter_page.h"

namespace tavrel {

// Window texts (ui_texts.tsv) of this page.
namespace T {
constexpr int kHamDial = 20500, kHamSize = 20501, kHamStretch = 20502, kHamEquinox = 20503;
}  // namespace T

namespace {

QWidget* buildHamSection(ParameterWindow& win) {
  DesignState& d = design();
  QGroupBox* ham = fieldsGroup(win.makeGroup(tx(T::kHamDial)));
  win.fieldRow(gridOf(ham), 0, tx(T::kHamSize),
           win.makeField(ranged(tx(T::kHamSize), &d.hamDiameter, 1, 300), kRealKeys));
  win.fieldRow(gridOf(ham), 1, tx(T::kHamStretch),
           win.makeField(ranged(tx(T::kHamStretch), &d.hamStretch, 1.2, 3), kRealKeys));
  win.fieldRow(gridOf(ham), 2, tx(T::kHamEquinox),
           win.makeField(ranged(tx(T::kHamEquinox), &d.hamEquinoxPosition, -180, 180), kRealKeys));
  win.fieldRow(gridOf(ham), 3, tx(T::kLatitude),
           win.makeField(ranged(tx(T::kLatitude), &d.latitude, -90, 90), kRealKeys));
  return ham;
}

const ParameterSectionRegistrar kSection{[] {
  ParameterSectionDef s;
  s.id = "ham";
  s.page = "planar";
  s.build = buildHamSection;
  return s;
}()};

}  // namespace
}  // namespace tavrel
