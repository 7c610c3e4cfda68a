#include "drawing/drawing_controller.h"

#include <cmath>

#include "core/design_state.h"
#include "core/language.h"
#include "dials/dial_family.h"
#include "dials/planar/planar_dial.h"
#include "drawing/drawing_texts.h"
#include "drawing/world_map_passes.h"
#include "tables/horizon_profile.h"
#include "base/number_text.h"
#include "drawing/surface_pens.h"

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

bool DrawingController::usesAngleTable() const { return dialHas(design(), kCapUsesAngleTable); }

void DrawingController::resize(int width, int height) {
  state_.width = width;
  state_.height = height;
}

void DrawingController::showDrawing(int width, int height, bool firstShowing) {
  applyActivationDefaults(width, height);
  if (firstShowing) {
    if (usesAngleTable()) refreshAngleTable();
    construct();
  }
  writeFixGnomonMessage();
}

void DrawingController::applyActivationDefaults(int width, int height) {
  const DesignState& d = design();
  const unsigned caps = dialCapabilities(d);
  state_.caption = drawingWindowTitle(d);
  resize(width, height);
  state_.gridCommandEnabled = (caps & kCapZoom) != 0;
  state_.zoomCommandsEnabled = (caps & kCapZoom) != 0;
  state_.hourLinesCommandEnabled = (caps & kCapAngleTable) != 0;

  const DialActivation a = dialActivation(d, width, height);
  state_.footX = a.footX;
  state_.footY = a.footY;
  state_.textX = a.textX;
  state_.textY = a.textY;

  if (caps & kCapZoomResetOnShow) setZoomFactor(1.0);
  state_.gnomonFootFixed = false;
  state_.textAnchorMarked = false;
  state_.hint = mouseHint(d);
}

void DrawingController::writeFixGnomonMessage() {
  // The request stands only where a click places the foot; elsewhere it
  // would promise what a click does not do and cover the dial's labels.
  if (!dialHas(design(), kCapGnomonFoot)) return;
  Font f;
  f.face = "Arial";
  f.height = 16;
  f.colour = kNavy;
  picture_->setFont(f);
  picture_->text(state_.footX - 130, state_.footY + 30, messageText(43));
}

DrawingController::DrawingController(Canvas& picture)
    : picture_(&picture), mapOverlay_(drawWorldMapPasses) {}

void DrawingController::refreshAngleTable() {
  angles_ = computeHourLineAngles(design());
  anglesComputed_ = true;
}

void DrawingController::dispatch(ScreenSurface& surface, bool screenMode, int width, int height,
                                 bool withMap) {
  const DesignState& d = design();
  const DialFamily* family = familyOf(d);
  if (!family) return;
  const unsigned caps = dialCapabilities(d);
  if ((caps & kCapUsesAngleTable) && !anglesComputed_) refreshAngleTable();
  DialScreenRequest request{surface,          screenMode,    width,           height,
                            state_.footX,     state_.footY,  state_.textX,    state_.textY,
                            state_.gnomonFootFixed, state_.textAnchorMarked, state_.withGrid,
                            zoomFactor(),     anglesComputed_ ? &angles_ : nullptr,
                            &keptAcrossRedraws_};
  const std::vector<std::pair<double, double>> skyline = shownHorizonPolyline();
  if (!skyline.empty()) request.horizon = &skyline;
  family->draw(request);
  double zoom = request.zoomFactor;
  ConstructionContext ctx{surface, screenMode, width, height, state_, zoom};
  if (withMap && (caps & kCapWorldMap) && mapOverlay_) mapOverlay_(ctx);
  if (zoom != zoomFactor()) setZoomFactor(zoom);
}

void DrawingController::construct(bool withMap) {
  const int W = state_.width, H = state_.height;
  picture_->fillRectangle(0, 0, W, H, kWhite);
  ScreenSurface surface = screenSurfaceOf(design(), *picture_, W, H);
  dispatch(surface, true, W, H, withMap);
  state_.hint.clear();
}

int DrawingController::extraPictureButtonRow() const {
  const DialFamily* family = familyOf(design());
  return family && family->extraPicture ? family->extraPictureButtonRow : -1;
}

void DrawingController::showExtraPicture() {
  const DialFamily* family = familyOf(design());
  if (!family || !family->extraPicture) return;
  const int W = state_.width, H = state_.height;
  picture_->fillRectangle(0, 0, W, H, kWhite);
  ScreenSurface surface = screenSurfaceOf(design(), *picture_, W, H);
  DialScreenRequest request{surface,          true,          W,               H,
                            state_.footX,     state_.footY,  state_.textX,    state_.textY,
                            state_.gnomonFootFixed, state_.textAnchorMarked, state_.withGrid,
                            zoomFactor(),     nullptr,       &keptAcrossRedraws_};
  family->extraPicture(request);
  state_.hint.clear();
}

void DrawingController::constructOnPrinter(Canvas& page, const PrinterDevice& device) {
  ScreenSurface surface = printerSurfaceOf(design(), page, device);
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

bool DrawingController::familyClick(double x, double y, PictureClickKind kind) {
  const DialFamily* family = familyOf(design());
  if (!family || !family->pictureClick) return false;
  DialPictureClick click{*picture_, x, y, kind, &keptAcrossRedraws_};
  family->pictureClick(click);
  return true;
}

bool DrawingController::familyHasDataFiles() const {
  const DialFamily* family = familyOf(design());
  return family && family->saveData && family->loadData;
}

void DrawingController::saveFamilyData() {
  if (!familyHasDataFiles()) return;
  DialDataRequest request{&keptAcrossRedraws_, state_.width, state_.height};
  familyOf(design())->saveData(request);
}

void DrawingController::loadFamilyData() {
  if (!familyHasDataFiles()) return;
  DialDataRequest request{&keptAcrossRedraws_, state_.width, state_.height};
  if (familyOf(design())->loadData(request)) construct();
}

void DrawingController::altLeftClick(double x, double y) {
  const DesignState& d = design();
  if (!dialHas(d, kCapTextAnchor)) return;
  state_.textX = x;
  state_.textY = y;
  state_.textAnchorMarked = true;
  const double W = state_.width;
  const double width = W * dialActivation(d, state_.width, state_.height).textBlockWidth;
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
  if (usesAngleTable()) refreshAngleTable();
}

void DrawingController::showHourLines() {
  refreshAngleTable();
  state_.angleTableShown = true;
}

void DrawingController::setLongitudeCorrection(bool checked) {
  design().eotLinesOwnMeridian = !checked;
  showHourLines();
}

}  // namespace tavrel
