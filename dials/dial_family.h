// The family table: everything the program knows about a kind of dial, one
// row per family. The drawing window, the save route, printing, the colour
// panel, the parameter and dial-type windows and tavrel-cli ask this table;
// none of them compares kind letters.
//
// Each family registers its row from its own source file with a static
// DialFamilyRegistrar, the way the commands of tavrel-cli register:
//
//   static const DialFamilyRegistrar kRing{[] {
//     DialFamily f;
//     f.id = "ring";
//     f.kinds = {{'r', 8}};
//     ...
//     return f;
//   }()};
//
// Adding a family touches its own folder (dials/<family>/: the geometry,
// the screen and plot constructions, and <family>_family.cpp with its row,
// listed in dials/CMakeLists.txt under tavrel_dial_family_rows). New
// texts go to the language tables; a new parameter page also needs its
// widgets in ui/parameter_window.cpp.
//
// Every row has a screen construction. A row without a plot (plot ==
// nullptr) is drawn and printed, and its plot is refused with "There is no
// plot output for this dial type."
// A plot construction that cannot make the dial of the record (temporal
// hours where the sun does not rise or set, a dial for the other
// hemisphere, ...) returns its refusal; the save route then writes no file
// and shows the refusal once.
//
// Positions (foot, text anchor) are pixels of the picture, origin top-left,
// y downwards; plot positions are plotter units already multiplied by R.
#pragma once

#include <any>
#include <cstdint>

#include <string>
#include <utility>
#include <vector>

#include "dials/dial_value_field.h"
#include "plot/hpgl_writer.h"
#include "plot/plot_grid.h"
#include "plot/plot_refusal.h"
#include "plot/screen_surface.h"

namespace tavrel {

struct DesignState;
struct HourLineAngleTable;
class CoordinatesListing;


// The sub-choices of the dial-type list a family shows.
enum class DialSubChoice { None, QuadrantKind, CylinderKind, AzimuthKind };

// What a family offers; a row's bits, adjusted per variant by its
// `variantCapabilities`.
enum DialCapability : unsigned {
  kCapGnomonFoot = 1u << 0,          // a left click places the gnomon foot
  kCapTextAnchor = 1u << 1,          // Alt + left click marks the text block
  kCapFootHint = 1u << 2,            // the mouse hints in the hint panel
  kCapZoom = 1u << 3,                // zoom and grid commands
  kCapZoomResetOnShow = 1u << 4,     // zoom 1 whenever the window becomes active
  kCapFootCheckOnPrint = 1u << 5,    // foot outside the picture: message 15 before printing
  kCapFootCheckOnSave = 1u << 6,     // ... and before saving
  kCapWorldMap = 1u << 7,            // the world-map overlay on picture and plot
  kCapUsesAngleTable = 1u << 8,      // the construction reads the hour-line angle table
  kCapAngleTable = 1u << 9,          // "Hour lines", pole-style information, their printouts
  kCapCoordinates = 1u << 10,        // the coordinates listing of the plot
  kCapUmbrella = 1u << 11,           // the umbrella form of the dial-type list
  kCapExpertOnly = 1u << 12,         // offered in expert mode only
  kCapScaledPlot = 1u << 13,         // plot coordinates times R (a DXF gets R = 25)
  kCapGnomonDeclination = 1u << 14,  // the declination field is the gnomon's, not the wall's
  kCapLevelFace = 1u << 15,          // the face lies level: no declination, no inclination
  kCapInclinedFace = 1u << 16,       // the face is inclined (the umbrella checks its disc)
  kCapScaleTrack = 1u << 17,         // the drawing window's scale track bar (drawingScale)
};

// Gnomon foot, text anchor and the width of the text block (a fraction of
// the picture width) when the drawing window becomes active.
struct DialActivation {
  double footX = 0, footY = 0;
  double textX = 0, textY = 0;
  double textBlockWidth = 0.33;
};

// What a screen construction gets: the surface (picture or printer page),
// its size and the stored positions. A construction may lower zoomFactor
// (planar dials keep the gnomon at 5 mm at least).
struct DialScreenRequest {
  ScreenSurface& surface;
  bool screenMode;
  int width, height;
  double footX, footY, textX, textY;
  bool footFixed, textMarked;
  bool grid;
  double zoomFactor;
  const HourLineAngleTable* angles;  // the last angle table, or nullptr
  // Kept by the drawing window from one redraw to the next; a construction
  // may keep what it likes there (nullptr: nothing is kept).
  std::any* kept = nullptr;
  // The skyline of the horizon profile when it is to be shown (nullptr:
  // none), as (azimuth, elevation) degrees ascending in azimuth.
  const std::vector<std::pair<double, double>>* horizon = nullptr;
};

// Where a plot goes, in plotter units (already multiplied by R).
struct PlotPlacement {
  int resolutionFactor = 1;
  double footX = 0, footY = 0;
  bool footFixed = false;
  double textX = 0, textY = 0;
  bool textMarked = false;
  double zoomFactor = 1;
  // The picture the positions come from and the positions themselves in
  // pixels, for the families that convert them their own way.
  double pictureWidth = 0, pictureHeight = 0;
  double screenFootX = 0, screenFootY = 0, screenTextX = 0, screenTextY = 0;
};

// A mouse click on the picture, offered to the family before the drawing
// window's own handling (gnomon foot, text anchor).
enum class PictureClickKind { Plain, Alt, Ctrl, Shift };
struct DialPictureClick {
  Canvas& picture;
  double x, y;
  PictureClickKind kind;
  // The drawing window's store kept between redraws (see DialScreenRequest).
  std::any* kept;
};

// What the drawing window's Save and Load of a family's own files get: the
// store kept between redraws (see DialScreenRequest) and the picture's size.
struct DialDataRequest {
  std::any* kept;
  int width, height;
};

// What a plot construction gets.
struct DialPlotRequest {
  PlotPlacement place;
  PlotGrid grid = PlotGrid::Ask;
  int gridSpacingMm = 10;
  const HourLineAngleTable* angles = nullptr;
  std::string plotFileName;              // as the coordinates listing names it
  CoordinatesListing* listing = nullptr;  // the coordinates listing, when asked for
  const std::vector<std::pair<double, double>>* horizon = nullptr;  // as DialScreenRequest::horizon
};

// A letter of `dialKind` and the position of the dial-type list that
// chooses it; the position is also the row of the dial-type text table
// that names it.
// The settings file writes the letter, then the variant digit of the
// record field `variant` (or `fixedDigit`).
struct DialKindEntry {
  char letter;
  int entry;
  std::uint8_t DesignState::*variant = nullptr;
  char fixedDigit = 0;
};

struct DialFamily {
  const char* id = "";                  // short name: "planar", "ring", ...
  std::vector<DialKindEntry> kinds;     // the letters the row answers for
  int umbrellaEntry = -1;               // list position of the umbrella form
  // What choosing one of the row's entries sets besides the letter (the
  // record's dialKind is already the entry's letter; nullptr: nothing).
  void (*chosen)(DesignState&) = nullptr;
  int helpTopic = 0;                    // help topic of its entries; 0 keeps the topic
  int umbrellaHelpTopic = 0;
  // The parameter page the row opens, by the name the page is registered
  // under (ui/pages/), the page of its umbrella form, and a section the
  // row adds to its page (nullptr: none).
  const char* page = "planar";
  const char* umbrellaPage = nullptr;
  const char* pageSection = nullptr;
  int legendBlock = -1;                 // first colour-legend row; -1 none
  int legendNameRow = 0;                // label row naming the legend's family
  int umbrellaLegendNameRow = 0;        // ... of its umbrella form
  unsigned capabilities = 0;            // DialCapability bits
  // Per-variant changes of the bits (nullptr: none).
  unsigned (*variantCapabilities)(const DesignState&, unsigned) = nullptr;
  // The text after "Construction of a" in the drawing window's title.
  std::string (*titlePart)(const DesignState&, int language) = nullptr;
  // The built-in picture of the dial-type window (0 none).
  int (*picture)(const DesignState&) = nullptr;
  // Activation defaults (nullptr: standardActivation).
  DialActivation (*activation)(const DesignState&, int width, int height) = nullptr;
  // Title of the parameter page, when the kind names it (-1: the page caption).
  int (*pageTitleTextRow)(const DesignState&) = nullptr;
  // The dial-type window: its sub-choice, the umbrella kinds in the order
  // of the umbrella sub-choice, every value field the row may show (in
  // window order) and those a design shows (nullptr: all of `values`),
  // whether the close check tests them, and what the close check derives
  // afterwards.
  DialSubChoice subChoice = DialSubChoice::None;
  const char* umbrellaKinds = "";
  std::vector<const DialValueField*> values;
  std::vector<const DialValueField*> (*valueFields)(const DesignState&) = nullptr;
  bool valuesCheckedOnClose = true;
  void (*afterCloseCheck)(DesignState&) = nullptr;
  // The constructions (every row draws; plot nullptr: no plot output).
  void (*draw)(DialScreenRequest&) = nullptr;
  PlotOutcome (*plot)(HpglWriter&, const DialPlotRequest&) = nullptr;
  // Clicks on the picture the family handles itself (nullptr: none).
  void (*pictureClick)(DialPictureClick&) = nullptr;
  // The drawing window's mouse hint for a family whose clicks do their
  // own work (nullptr: the hint of the gnomon foot and text anchor bits).
  std::string (*mouseHint)() = nullptr;
  // The drawing window's "Save" and "Load" of construction data when the
  // family has files of its own (nullptr: the main window's commands).
  bool (*saveData)(DialDataRequest&) = nullptr;
  bool (*loadData)(DialDataRequest&) = nullptr;
  // The information of the "StylusInfo" command for a family without the
  // angle table (nullptr: none), at the drawing window's zoom.
  std::vector<std::string> (*information)(const DesignState&, double zoomFactor) = nullptr;
  // A second picture the drawing window offers by a button of its own (the
  // ring dial's offset-correction chart): the button caption's row of the
  // text table and the picture's construction; nullptr: none.
  int extraPictureButtonRow = -1;
  void (*extraPicture)(DialScreenRequest&) = nullptr;
  // A switch of the record that lets the second picture also write its
  // table file, and the text-table row of its caption (nullptr: none).
  bool DesignState::*extraPictureFileSwitch = nullptr;
  int extraPictureFileSwitchRow = -1;

  bool plots() const { return plot != nullptr; }
};

// Registers a row at start-up (a static object in the family's own file).
class DialFamilyRegistrar {
 public:
  explicit DialFamilyRegistrar(const DialFamily& family);
};

// Every row, in the order of their first dial-type entry.
const std::vector<DialFamily>& dialFamilies();

// The number of positions of the dial-type list (one past the largest
// position a row claims), and the umbrella position (-1: no row has one).
int dialTypeEntryCount();
int umbrellaDialTypeEntry();
// The position of a letter's entry (-1 for a letter no family claims).
int dialTypeEntryOfKind(char letter);

// The row of a letter; nullptr for a letter no family claims.
const DialFamily* familyOfKind(char letter);

// The row of the record's dialKind (nullptr for an unknown letter).
const DialFamily* familyOf(const DesignState& d);

// The capabilities of the record's dial, variant and umbrella form included
// (0 for an unknown letter).
unsigned dialCapabilities(const DesignState& d);
bool dialHas(const DesignState& d, DialCapability c);

// Whether the record's dial writes a plot file (its row has a plot).
bool dialPlottable(const DesignState& d);

// "There is no plot output for this dial type." in the current language.
std::string dialNoPlotText();

// The title of the drawing window: "Construction of a" + the family's part.
std::string drawingWindowTitle(const DesignState& d);
std::string drawingWindowTitle(const DesignState& d, int language);

// Gnomon foot and text anchor of the activation for a picture W x H:
//   foot x0 = (W + 1) div 2; y0 = Round(3 H / 4) when |latitude| > 30,
//   else (H + 1) div 2, mirrored to H - y0 south of the equator;
//   text anchor x = Round(3 W / 8), y = H div 25 (south: H - W div 10).
DialActivation standardActivation(const DesignState& d, int width, int height);
// The same with a text block 0.29 of the picture wide (bi-azimuthal and
// Hollander).
DialActivation narrowTextBlockActivation(const DesignState& d, int width, int height);
DialActivation dialActivation(const DesignState& d, int width, int height);

// The parameter page of the record's dial: the umbrella page for an
// umbrella dial, the first row's page for an expert-only family without
// expert mode (and for an unknown letter).
std::string parameterPageOf(const DesignState& d);

// The section of its page the record's row adds ("" none).
std::string parameterPageSection(const DesignState& d);

// Label row naming the colour legend's family of the record's dial.
int legendFamilyNameRow(const DesignState& d);

// The title row of the parameter page for the record's kind when it shows
// its row's own page, -1 for the page's own caption.
int parameterPageTitleRow(const DesignState& d);

// The letters of the rows that share a parameter page, in table order
// (the Sawyer page: "wp"), and the record's position among them (0 when
// its kind is not one of them); choosing a position sets the letter.
std::string parameterPageKinds(const std::string& page);
int parameterPageKindIndex(const DesignState& d);
void selectParameterPageKind(DesignState& d, int index);

// One line per dial-type entry for --help: the letter and the English and
// German names ("h  horizontal / horizontal").
std::vector<std::string> dialKindList();

}  // namespace tavrel
