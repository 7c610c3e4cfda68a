// The drawing window without its widgets: the state of the picture (gnomon
// foot, text anchor, zoom, grid, page layout), what happens when the window
// becomes active, and the one place that decides which dial construction
// runs (`construct`).
//
// Positions are pixels of the picture, origin top-left, y downwards.
#pragma once

#include <any>

#include <functional>
#include <string>

#include "dials/dial_family.h"
#include "dials/planar/hour_line_angles.h"
#include "dials/planar/planar_lines.h"
#include "plot/canvas.h"
#include "plot/screen_surface.h"

namespace tavrel {

// One zoom step: 2^(1/8).
inline constexpr double kZoomStep = 1.0905077326652577;

enum class CoordinatesChoice { None, Printer, TextFile };
enum class PlotTarget { Hpgl, Dxf };

struct DrawingWindowState {
  int width = 0, height = 0;          // picture size W x H
  double footX = 0, footY = 0;        // gnomon foot
  bool gnomonFootFixed = false;
  double textX = 0, textY = 0;        // top-left of the information block
  bool textAnchorMarked = false;
  bool withGrid = false;
  std::string plotFileName = "tav.plt";
  CoordinatesChoice coordinates = CoordinatesChoice::None;
  PlotTarget plotTarget = PlotTarget::Hpgl;
  std::string caption;                // window caption
  std::string hint;                   // hint panel
  bool gridCommandEnabled = false;
  bool zoomCommandsEnabled = false;
  bool hourLinesCommandEnabled = false;
  bool angleTableShown = false;
  // Preview of the text block after Alt + click: x, y, width, height.
  double textPreview[4] = {0, 0, 0, 0};
};

// What the world-map overlay gets.
struct ConstructionContext {
  ScreenSurface& surface;
  bool screenMode;
  int width, height;
  DrawingWindowState& state;
  double& zoomFactor;
};
using Construction = std::function<void(ConstructionContext&)>;

class DrawingController {
 public:
  // The controller draws on `picture`, a canvas of the picture's size;
  // the world map of drawing/world_map_passes.h is installed.
  explicit DrawingController(Canvas& picture);

  DrawingWindowState& state() { return state_; }
  const DrawingWindowState& state() const { return state_; }

  // The zoom factor that multiplies the gnomon length (planar,
  // bi-azimuthal and Hollander dials). Kept as a number of 2^(1/8) steps
  // times a free factor, so that eight steps double it exactly.
  double zoomFactor() const;
  void setZoomFactor(double z);

  // The last hour-line angle table (computed before the first planar
  // construction, by "Hour lines" and by the longitude-correction switch).
  const HourLineAngleTable& angleTable() const { return angles_; }

  // showDrawing: caption, picture size, command switches and the defaults
  // of gnomon foot and text anchor of the design's dial family (its
  // activation in the family table); zoom 1 for the families that reset
  // it; nothing fixed or marked.
  // On the first showing the construction runs (dials that read the angle
  // table compute it first). Message 43 is then written on the picture in
  // navy at (x0 - 130, y0 + 30).
  void showDrawing(int width, int height, bool firstShowing = true);
  // The state part of showDrawing: caption, size, switches and defaults.
  void applyActivationDefaults(int width, int height);
  // A resize of the window: records the new picture size.
  void resize(int width, int height);

  // Clears the picture to white and runs the screen construction of the
  // design's dial family (then the world map, when one is installed, for
  // the families that carry it); a family that is not built yet and an
  // unknown letter draw nothing.
  // withMap false leaves out the world map (the A4/A3 display commands).
  void construct(bool withMap = true);
  // The construction of the design on a printer page in 0.1 mm: the four
  // stored positions are rescaled to the page and restored afterwards.
  void constructOnPrinter(Canvas& page, const PrinterDevice& device);

  // Commands.
  void display();                     // "&Display": zoom 1, grid off, construct
  void displayWithGrid();             // "...+&Grid"
  void zoomIn();                      // "+"
  void zoomOut();                     // "-"
  void wheel(int delta);              // zoom by (1 + delta / 2000) when delta >= -299
  void setPaperA4(bool a4);           // "Display as in Printout" / ".. as in saved File (DIN-A3)"
  void leftClick(double x, double y); // fixes the gnomon foot and constructs
  void altLeftClick(double x, double y);  // marks the text anchor (preview only)
  // Offers a click to the dial family before the ordinary handling (the
  // ham dial's hour points); true when the family takes clicks.
  bool familyClick(double x, double y, PictureClickKind kind);
  // The drawing window's Save and Load when the family has construction-
  // data files of its own (the ham dial); a load that restores something
  // constructs again. familyHasDataFiles false: the main window's commands.
  bool familyHasDataFiles() const;
  void saveFamilyData();
  void loadFamilyData();
  void togglePoleTriangle();          // "Poldreieck zeichnen"
  void toggleLinesToStyleFoot();      // "Stundenlinien bis zum Fußpunkt"
  void runDrawing();                  // "Zeichnung ausführen": construct and refresh the table
  void showHourLines();               // "&Hour lines": the angle table
  void setLongitudeCorrection(bool checked);  // eotLinesOwnMeridian := !checked, table again
  // The family's second picture (the ring dial's offset-correction chart):
  // the text-table row of its button's caption, -1 when the family has none.
  int extraPictureButtonRow() const;
  // Clears the picture and draws that second picture on it.
  void showExtraPicture();
  // Writes message 43 on the picture (navy, at x0 - 130, y0 + 30).
  void writeFixGnomonMessage();

  // The world-map overlay (replaces the installed one; empty: none).
  void setMapOverlay(Construction overlay) { mapOverlay_ = std::move(overlay); }

 private:
  bool usesAngleTable() const;
  void refreshAngleTable();
  void dispatch(ScreenSurface& surface, bool screenMode, int width, int height, bool withMap);

  Canvas* picture_;
  DrawingWindowState state_;
  double zoomBase_ = 1;
  int zoomSteps_ = 0;
  HourLineAngleTable angles_;
  // What the construction keeps from one redraw to the next (a planar dial:
  // the sun positions it computed).
  std::any keptAcrossRedraws_;
  bool anglesComputed_ = false;
  Construction mapOverlay_;
};

}  // namespace tavrel
