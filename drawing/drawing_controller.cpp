#include "drawing/drawing_controller.h"

#include <cmath>

#include "core/design_state.h"
#include "core/language.h"
#include "dials/planar_dial.h"
#include "drawing/drawing_texts.h"
#include "base/number_text.h"

namespace tavrel {

namespace {
constexpr Colour kNavy = rgb(0, 0, 128);
long long rnd(double x) { return roundHalfEven(x); }
}  // namespace

double DrawingController::zoomFactor() const {
  return zoomBase_ * std::exp2(zoomSteps_ / 8.0);
}

void DrawingController::setZoomFactor(double z) {
  zoomBase_ = z;
  zoomSteps_ = 0;
}

bool DrawingController::planar() const {
  const char k = design().dialKind;
  return k == 'h' || k == 'v' || k == 'i';
}

std::string DrawingController::captionFor() {
  const DesignState& d = design();
  const char k = d.dialKind;
  std::string part;
  if (d.umbrellaMode && (k == 'h' || k == 'v' || k == 'i')) {
    part = drawingText(DrawingText::UmbrellaDial);
  } else {
    switch (k) {
      case 'v': part = tableText(TextTable::Labels, labelRow::kVerticalSundialPart); break;
      case 'h': part = tableText(TextTable::Labels, labelRow::kHorizontalSundialPart); break;
      case 'i': part = tableText(TextTable::Labels, labelRow::kInclinedSundialPart); break;
      case 'q': part = drawingText(DrawingText::QuadrantSundial); break;
      case 'z': {
        static const DrawingText kVariant[3] = {DrawingText::ShepherdsDial, DrawingText::HatDial,
                                                DrawingText::PolarStyle};
        part = drawingText(DrawingText::CylinderSundial) +
               drawingText(kVariant[d.cylinderVariant < 3 ? d.cylinderVariant : 0]);
        break;
      }
      case 'a': part = drawingText(DrawingText::AzimuthalSundialPart); break;
      case 'c': part = drawingText(DrawingText::BiazimuthalSundial); break;
      case 'm': part = drawingText(DrawingText::MeanTimeSundial); break;
      case 'k': part = drawingText(DrawingText::ElevationSundial); break;
      case 'w': part = drawingText(DrawingText::SawyerSundials); break;
      case 'p':
        part = drawingText(DrawingText::PeaucellierPrefix) + drawingText(DrawingText::AzimuthalSundial);
        break;
      default: break;
    }
  }
  return drawingText(DrawingText::ConstructionOfA) + part;
}

void DrawingController::resize(int width, int height) {
  state_.width = width;
  state_.height = height;
}

void DrawingController::showDrawing(int width, int height, bool firstShowing) {
  applyActivationDefaults(width, height);
  if (firstShowing) {
    if (planar()) refreshAngleTable();
    construct();
  }
  writeFixGnomonMessage();
}

void DrawingController::applyActivationDefaults(int width, int height) {
  DesignState& d = design();
  const char k = d.dialKind;
  state_.caption = captionFor();
  resize(width, height);
  const bool zoomable = planar() || k == 'c' || k == 'm';
  state_.gridCommandEnabled = zoomable;
  state_.zoomCommandsEnabled = zoomable;
  state_.hourLinesCommandEnabled = planar() && !d.umbrellaMode;

  const int W = width, H = height;
  state_.footX = (W + 1) / 2;
  if (k == 'v')
    state_.footY = static_cast<double>(rnd((W + 1) / 32.0));
  else if (std::fabs(d.latitude) > 30)
    state_.footY = static_cast<double>(rnd(3.0 * H / 4));
  else
    state_.footY = (H + 1) / 2;
  if (d.latitude < 0 && k != 'v') state_.footY = H - state_.footY;

  state_.textX = static_cast<double>(rnd(3.0 * W / 8));
  if (k == 'v')
    state_.textY = static_cast<double>(rnd(0.85 * H));
  else
    state_.textY = d.latitude < 0 ? H - W / 10 : H / 25;

  if (k == 'c' || k == 'm') setZoomFactor(1.0);
  state_.gnomonFootFixed = false;
  state_.textAnchorMarked = false;
  state_.hint = drawingText(DrawingText::HintFixGnomon);
}

void DrawingController::writeFixGnomonMessage() {
  Font f;
  f.face = "Arial";
  f.height = 16;
  f.colour = kNavy;
  picture_->setFont(f);
  picture_->text(state_.footX - 130, state_.footY + 30, messageText(43));
}

void DrawingController::refreshAngleTable() {
  angles_ = computeHourLineAngles();
  anglesComputed_ = true;
}

void DrawingController::dispatch(ScreenSurface& surface, bool screenMode, int width, int height,
                                 bool withMap) {
  DesignState& d = design();
  const char k = d.dialKind;
  double zoom = zoomFactor();
  ConstructionContext ctx{surface, screenMode, width, height, state_, zoom};
  if (k == 'h' || k == 'i' || k == 'v') {
    if (!anglesComputed_) refreshAngleTable();
    PlanarDialView view;
    view.footX = state_.footX;
    view.footY = state_.footY;
    view.textX = state_.textX;
    view.textY = state_.textY;
    view.zoomFactor = zoom;
    view.grid = state_.withGrid;
    view.angles = &angles_;
    drawPlanarDial(surface, screenMode, width, height, view);
    zoom = view.zoomFactor;
    if (withMap && !d.umbrellaMode && mapOverlay_) mapOverlay_(ctx);
  } else if (auto it = constructions_.find(k); it != constructions_.end() && it->second) {
    it->second(ctx);
  }
  if (zoom != zoomFactor()) setZoomFactor(zoom);
}

void DrawingController::construct(bool withMap) {
  const int W = state_.width, H = state_.height;
  picture_->fillRectangle(0, 0, W, H, kWhite);
  ScreenSurface surface = ScreenSurface::screen(*picture_, W, H);
  dispatch(surface, true, W, H, withMap);
  state_.hint.clear();
}

void DrawingController::constructOnPrinter(Canvas& page, const PrinterDevice& device) {
  ScreenSurface surface = ScreenSurface::printer(page, device);
  const int PW = surface.width(), PH = surface.height();
  const DrawingWindowState saved = state_;
  const double Wc = state_.width > 0 ? state_.width : 1, Hc = state_.height > 0 ? state_.height : 1;
  state_.footX = static_cast<double>(rnd(PW / Wc * state_.footX));
  state_.footY = static_cast<double>(rnd(PH / Hc * state_.footY));
  state_.textX = static_cast<double>(rnd(PW / Wc * state_.textX));
  state_.textY = static_cast<double>(rnd(PH / Hc * state_.textY));
  dispatch(surface, false, PW, PH, true);
  state_.footX = saved.footX;
  state_.footY = saved.footY;
  state_.textX = saved.textX;
  state_.textY = saved.textY;
}

void DrawingController::display() {
  setZoomFactor(1.0);
  state_.withGrid = false;
  construct();
}

void DrawingController::displayWithGrid() {
  state_.withGrid = true;
  construct();
}

void DrawingController::zoomIn() {
  ++zoomSteps_;
  construct();
}

void DrawingController::zoomOut() {
  --zoomSteps_;
  construct();
}

void DrawingController::wheel(int delta) {
  if (delta >= -299) zoomBase_ *= 1 + delta / 2000.0;
  construct();
}

void DrawingController::setPaperA4(bool a4) {
  design().paperA4 = a4;
  construct(false);
}

void DrawingController::leftClick(double x, double y) {
  state_.footX = x;
  state_.footY = y;
  state_.gnomonFootFixed = true;
  construct();
}

void DrawingController::altLeftClick(double x, double y) {
  const char k = design().dialKind;
  if (k == 'w') return;
  state_.textX = x;
  state_.textY = y;
  state_.textAnchorMarked = true;
  const double W = state_.width;
  const double width = (k == 'c' || k == 'm') ? W * 0.29 : (k == 'v' ? W * 0.3 : W * 0.33);
  state_.textPreview[0] = x;
  state_.textPreview[1] = y;
  state_.textPreview[2] = width;
  state_.textPreview[3] = W / 14;
}

void DrawingController::togglePoleTriangle() {
  design().drawPoleTriangle = !design().drawPoleTriangle;
  construct();
}

void DrawingController::toggleLinesToStyleFoot() {
  design().linesToStyleFoot = !design().linesToStyleFoot;
  construct();
}

void DrawingController::runDrawing() {
  construct();
  if (planar()) refreshAngleTable();
}

void DrawingController::showHourLines() {
  refreshAngleTable();
  state_.angleTableShown = true;
}

void DrawingController::setLongitudeCorrection(bool checked) {
  design().eotLinesOwnMeridian = !checked;
  showHourLines();
}

void DrawingController::setConstruction(char dialKind, Construction construction) {
  constructions_[dialKind] = std::move(construction);
}

}  // namespace tavrel
