// The family-table row of the ham dial ('o'): drawn on the picture and the
// printer page, with hour points marked by the mouse and settings files of
// its own; it has no plot.
#include "core/design_state.h"
#include "core/language.h"
#include "dials/dial_family.h"
#include "dials/ham/ham_dial.h"
#include "dials/ham/ham_texts.h"

namespace tavrel {
namespace {

void drawHamFamily(DialScreenRequest& r) {
  static std::any noStore;
  std::any& kept = r.kept ? *r.kept : noStore;
  const DesignState& d = design();
  drawHamDial(r.surface, r.width, r.height, hamHourPoints(kept), d.habermelGnomonLength, d.latitude,
              r.screenMode);
}

void hamClick(DialPictureClick& c) {
  static std::any noStore;
  std::any& kept = c.kept ? *c.kept : noStore;
  HamClick k = HamClick::Plain;
  switch (c.kind) {
    case PictureClickKind::Plain: k = HamClick::Plain; break;
    case PictureClickKind::Alt: k = HamClick::Alt; break;
    case PictureClickKind::Ctrl: k = HamClick::Ctrl; break;
    case PictureClickKind::Shift: k = HamClick::Shift; break;
  }
  hamPictureClick(hamHourPoints(kept), k, c.x, c.y, c.picture);
}

const DialFamilyRegistrar kHam{[] {
  DialFamily f;
  f.id = "ham";
  f.kinds = {{'o', kEntryHam}};
  f.helpTopic = 57;
  f.page = ParameterPage::Planar;
  f.legendNameRow = labelRow::kPlanarFamily;
  f.capabilities = kCapHamFields;
  f.titlePart = [](const DesignState&, int lang) { return tableText(TextTable::Labels, labelRow::kHamDialPart, lang); };
  f.draw = drawHamFamily;
  f.pictureClick = hamClick;
  f.mouseHint = [] {
    return hamText(HamText::HelpMark) + " - " + hamText(HamText::HelpDraw) + " - " + hamText(HamText::HelpClear);
  };
  f.saveData = saveHamSettingsCommand;
  f.loadData = loadHamSettingsCommand;
  return f;
}()};

}  // namespace
}  // namespace tavrel
