#include "plot/page_constants.h"

#include "base/number_text.h"

namespace tavrel {

double screenUnitsPerMm(double pictureWidth, bool paperA4) {
  return pictureWidth / (paperA4 ? kScreenWidthMmA4 : kScreenWidthMmA3);
}

long long screenToPlotX(double xScreen, double pictureWidth) {
  return roundHalfEven(kPlotWindowWidth / pictureWidth * xScreen);
}

long long screenToPlotY(double yScreen, double pictureHeight) {
  return roundHalfEven(11040 - kPlotWindowHeight / pictureHeight * yScreen);
}

long long sawyerScreenToPlotX(double xScreen, double pictureWidth) {
  return roundHalfEven(kPlotPageWidth / pictureWidth * xScreen);
}

long long sawyerScreenToPlotY(double yScreen, double pictureHeight) {
  return roundHalfEven(10480 - 10470 / pictureHeight * yScreen);
}

}  // namespace tavrel
