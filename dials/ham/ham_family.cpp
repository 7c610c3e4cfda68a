// The family-table row of the ham dial ('o'): drawn on the picture and the
// printer page, with hour points marked by the mouse and settings files of
// its own; it has no plot.
#include "core/design_state.h"
#include "core/language.h"
#include "dials/dial_family.h"
#include "dials/ham/ham_dial.h"
#include "dials/ham/ham_texts.h"
#include "dials/ham/ham_labels.h"
#include "dials/planar/planar_labels.h"

namespace tavrel {
namespace {

// The drawing window's store, or one of our own when it keeps none.
std::any& keptStore(std::any* kept) {
  static std::any noStore;
  return kept ? *kept : noStore;
}

void drawHamFamily(DialScreenRequest& r) {
  drawHamDial(r.surface, r.width, r.height, hamHourPoints(keptStore(r.kept)), hamDialValuesOf(design()),
              r.screenMode);
}

void hamClick(DialPictureClick& c) {
  std::any& kept = keptStore(c.kept);
  HamClick k = HamClick::Plain;
  switch (c.kind) {
    case PictureClickKind::Plain: k = HamClick::Plain; break;
    case PictureClickKind::Alt: k = HamClick::Alt; break;
    case PictureClickKind::Ctrl: k = HamClick::Ctrl; break;
    case PictureClickKind::Shift: k = HamClick::Shift; break;
  }
  hamPictureClick(hamHourPoints(kept), k, c.x, c.y, c.picture);
}

bool saveHamData(DialDataRequest& r) {
  return saveHamSettingsCommand(keptStore(r.kept), hamDialValuesOf(design()), r.width, r.height);
}

// The dial takes the latitude, size, stretch factor and equinox position
// the loaded points were marked on.
bool loadHamData(DialDataRequest& r) {
  const std::optional<HamDialValues> v = loadHamSettingsCommand(keptStore(r.kept), r.width, r.height);
  if (!v) return false;
  DesignState& d = design();
  d.latitude = v->latitude;
  d.hamDiameter = v->sizeMm;
  d.hamStretch = v->stretch;
  d.hamEquinoxPosition = v->equinoxPosition;
  return true;
}

const DialFamilyRegistrar kHam{[] {
  DialFamily f;
  f.id = "ham";
  f.kinds = {{'o', 13}};
  f.helpTopic = 57;
  f.page = "planar";
  f.legendNameRow = labelRow::kPlanarFamily;
  f.pageSection = "ham";
  f.titlePart = [](const DesignState&, int lang) { return tableText(TextTable::Labels, labelRow::kHamDialPart, lang); };
  f.draw = drawHamFamily;
  f.pictureClick = hamClick;
  f.mouseHint = [] {
    return hamText(HamText::HelpMark) + " - " + hamText(HamText::HelpDraw) + " - " + hamText(HamText::HelpClear);
  };
  f.saveData = saveHamData;
  f.loadData = loadHamData;
  return f;
}()};

}  // namespace
}  // namespace tavrel
