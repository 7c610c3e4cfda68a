// Helpers of the planar dial tests: a design record with one colour per
// pen and every line family off, a construction on the recording canvas,
// and the independent gnomonics the tests compare with.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/angles.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "astro/startup.h"
#include "dials/planar/planar_dial.h"
#include "plot/recording_canvas.h"
#include "tests/core/language_choice.h"
#include "drawing/surface_pens.h"

namespace tavrel::testing {

// Pen n gets colour 0x000010 * n + 0x000001 (twelve distinct colours).
inline Colour penColourForTest(int pen) { return rgb(pen * 16 + 1, 3, 7); }

class PlanarDialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startProgram();
    DesignState& d = design();
    for (int pen = 1; pen <= 12; ++pen) d.colors[static_cast<std::size_t>(pen - 1)] = penColourForTest(pen);
    useLanguage(2);
    d.referenceYear = 2020;
    d.umbrellaMode = false;
    d.localTimeNoEot = false;
    d.withEot = false;
    d.markAnalemma = false;
    d.temporalHourLines = false;
    d.babylonianHours = false;
    d.italianHours = false;
    d.sunAltitudeLines = false;
    d.integerSunshineLines = false;
    d.linesToStyleFoot = false;
    d.drawPoleTriangle = false;
    d.dateLineMode = '3';
    d.eotLinesOwnMeridian = true;
    d.paperA4 = true;
    d.lineWidth = 1;
  }

  // Draws the design's dial on a width x height picture with the foot at
  // (footX, footY) and returns the recording.
  RecordingCanvas draw(double footX, double footY, int width = 1600, int height = 1000,
                       double zoom = 1) {
    RecordingCanvas canvas;
    ScreenSurface surface = screenSurfaceOf(design(), canvas, width, height);
    PlanarDialView view;
    view.footX = footX;
    view.footY = footY;
    view.textX = 10;
    view.textY = 10;
    view.zoomFactor = zoom;
    lastZoom = zoom;
    drawPlanarDial(surface, design(), true, width, height, view);
    lastZoom = view.zoomFactor;
    return canvas;
  }

  // End points of the line segments drawn in the colour of `pen` (and,
  // when given, the pen width: construction lines are lineWidth wide,
  // marks and frames 1).
  static std::vector<std::array<double, 4>> segments(const RecordingCanvas& c, int pen,
                                                     double width = 0) {
    std::vector<std::array<double, 4>> out;
    for (const Primitive& p : c.primitives)
      if (p.kind == PrimitiveKind::LineTo && p.pen.colour == penColourForTest(pen) &&
          (width == 0 || p.pen.width == width))
        out.push_back({p.p[0], p.p[1], p.p[2], p.p[3]});
    return out;
  }

  double lastZoom = 1;
  ScopedScriptedPlatform platform;
};

// A plane in the east-north-up frame: normal n (altitude 90 - i, azimuth
// D from south, west positive), the horizontal in-plane axis r (to the
// right of someone facing the dial) and the up-slope axis u = n x r.
struct PlaneFrame {
  double n[3], r[3], u[3];
};
inline PlaneFrame planeFrame(double declination, double inclination) {
  const double i = radians(inclination), D = radians(declination);
  PlaneFrame f{{-std::sin(i) * std::sin(D), -std::sin(i) * std::cos(D), std::cos(i)},
               {std::cos(D), -std::sin(D), 0},
               {0, 0, 0}};
  f.u[0] = f.n[1] * f.r[2] - f.n[2] * f.r[1];
  f.u[1] = f.n[2] * f.r[0] - f.n[0] * f.r[2];
  f.u[2] = f.n[0] * f.r[1] - f.n[1] * f.r[0];
  return f;
}
inline double dot(const double* a, const double* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Where the polar axis through the tip of a gnomon L perpendicular to the
// plane meets it: S - P = L n - L pole / (n . pole), in plane coordinates
// (right, up).
inline std::array<double, 2> closedFormStyleFoot(double latitude, double declination,
                                                 double inclination, double L) {
  const PlaneFrame f = planeFrame(declination, inclination);
  const double pole[3] = {0, std::cos(radians(latitude)), std::sin(radians(latitude))};
  const double np = dot(f.n, pole);
  double v[3];
  for (int k = 0; k < 3; ++k) v[k] = L * f.n[k] - L * pole[k] / np;
  return {dot(v, f.r), dot(v, f.u)};
}

}  // namespace tavrel::testing
