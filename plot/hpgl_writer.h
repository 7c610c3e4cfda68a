// The HPGL plot stream.
//
// Units: plotter units of 0.025 mm (40 per millimetre), origin at the
// bottom-left corner, y upwards; coordinates are written as given (the
// construction has multiplied them by the resolution factor R already),
// character sizes are centimetres and are multiplied by R here.
//
// A plot file is one line of semicolon-separated ASCII commands, in the
// order of the calls; the writer adds no line terminator. Labels are
// spelled in ASCII (plotAscii) on their way into the file: a pen plotter's
// standard character set has nothing beyond it, and the DXF converter
// passes the bytes on as they are. It is written under a
// temporary name in the target's folder and renamed over the target by
// hpglClose, so a failed save leaves no partial file behind.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "base/safe_file_writer.h"
#include "plot/page_constants.h"
#include "plot/plot_surface.h"

namespace tavrel {

// Raised by hpglOpen, hpglWrite and hpglClose when the file cannot be
// created or written (disk full, no permission). The user has already
// been told (message 53 with the file name and the reason) and the
// temporary file is gone; the save command ends.
class PlotFileError : public std::runtime_error {
 public:
  PlotFileError(const std::string& path, std::error_code ec);
  const std::string& path() const { return path_; }
  std::error_code code() const { return code_; }

 private:
  std::string path_;
  std::error_code code_;
};

// "IN;VS 1;PA;IW 0 0 W H;PU 0 0;EA W H;" with W = 16157 R, H = 11038 R.
std::string hpglPrologue(int resolutionFactor);

// How a plot file begins. W and H stand for the page's width and height in
// plotter units (hpglInt). IN initialises the plotter, VS 1 asks for its
// slowest pen speed, PA for absolute coordinates, SS for the standard
// character set; IW sets the clip window and EA frames the page. The
// braces of FramedBraced are the historic file's: a plotter ignores the
// unknown characters, and with them the window.
enum class PageStart {
  Plain,           // "IN;PA;"
  Slow,            // "IN;VS 1;PA;"
  StandardSet,     // "IN;SS;PA;"
  Framed,          // "IN;VS 1;PA;IW 0 0 W H;PU 0 0;EA W H;"
  FramedPenFirst,  // "IN;VS 1;PA;IW 0 0 W H;SP 4;PU 0 0;EA W H;"
  FramedBraced,    // "IN;VS 1;PA;{IW 0 0 W H;}PU 0 0;EA W H;"
  EotGraph,        // "IN;SP 8;SI 0.14, 0.24;SP 8"   (the table window's graphs)
  CartesianGraph,  // ";IN;SS;SI 0.14, 0.21;SP 4"
  PolarGraph,      // ";IN;SS;SI 0.16, 0.24;SP 4"
};

// How a plot file ends; hpglClose completes the file afterwards.
enum class PageEnd {
  WindowReset,   // ";IW;IN;"
  PenAway,       // ";SP 0;IN;"
  PenAwayTight,  // ";SP0;IN;"
  Init,          // ";IN;"
  PenUpAway,     // ";PU;SP 0;"
};

// The ASCII spelling of a text for the plot file (UTF-8 in; a byte that
// is no part of a UTF-8 sequence is read as Windows-1252). The standard
// character set of HP-GL has no degree sign, so
//   degree sign                          -> "deg"
//   acute accent, single quotation marks -> "'"  (Shepherds' Dial)
//   double quotation marks, guillemets   -> '"'
//   dashes, minus sign                   -> "-"
//   umlauts                              -> "Ae" "Oe" "Ue" "ae" "oe" "ue", sharp s -> "ss"
//   other accented Latin letters         -> the letter without its accent
//   no-break space                       -> " "
// a few signs by their usual spelling (x, +-, 1/2, ...), and every other
// character by "?". ASCII stays as it is.
std::string plotAscii(std::string_view text);

// Label text as it goes between "LB" and the end-of-text character: line
// breaks, tabs and other control characters (the terminator included)
// would end the label or break the single-line file; they become blanks.
std::string hpglLabelText(std::string_view text);

inline constexpr char kLabelTerminator = '\x03';

class HpglWriter : public PlotSurface {
 public:
  explicit HpglWriter(int resolutionFactor = kResolutionFactorHpgl);
  // A file still open (for example when a construction threw) is
  // abandoned: the target keeps its previous contents.
  ~HpglWriter() override;

  int resolutionFactor() const { return resolutionFactor_; }
  void setResolutionFactor(int r) { resolutionFactor_ = r; }

  // Creates (or, on close, overwrites) the plot file. Throws PlotFileError.
  void hpglOpen(const std::string& path);
  // Completes the file. Throws PlotFileError.
  void hpglClose();
  bool isOpen() const { return file_.isOpen(); }

  // The intermediate plot of a DXF save ("tavrel.$$$" beside the DXF):
  // written like any plot, into the writer's own new file beside `path`
  // (created exclusively, a new name for every writer), but never renamed
  // to `path`. The converter reads writtenPath() while the writer is open;
  // hpglAbandon() then removes the file. So two saves into one folder at
  // the same time never share a file. Messages name `path`. Anything but
  // a regular file at `path` (a device, a pipe) is refused. Throws
  // PlotFileError.
  void hpglOpenTemporary(const std::string& path);
  const std::string& writtenPath() const { return file_.writingPath(); }
  void hpglAbandon() { file_.abandon(); }

  // The prologue of hpglPrologue followed by ";SP 4;PU 0 0;".
  void writeStandardPrologue();
  // The page start `start` with the page width x height (plotter units,
  // used by the framed forms only).
  void beginPage(PageStart start, double width = 0, double height = 0);
  // The framed page start with its numbers right-justified to 8
  // characters (fixedText(v, 8, 0)) and the character size written after
  // the window and after the frame: "IN;VS 1;PA;IW 0 0 W H;SI w,h;SP pen;
  // PU 0 0;EA W H;SI w,h" (sizes as setCharSize, no closing ";").
  void beginSizedPage(double width, double height, int pen, double widthCm, double heightCm);
  // The framed page start of a world-map pass: "IN;VS 1;PA;IW 0 0 W H;SP
  // pen;PU 0 0;EA W H;PU 0 0;SI w,h" (W, H by hpglInt, no closing ";").
  void beginMapPage(double width, double height, int pen, double widthCm, double heightCm);
  void endPage(PageEnd end);
  // Pen `pen` taken and lifted at the origin: ";SP pen;PU 0 0;".
  void homePen(int pen);
  // The alternate character set (";SA ", the zodiac signs) or back to the
  // standard one (";SS ").
  void selectSymbolSet(bool alternate);

  // The coordinate grid with its origin at (x0, y0): a clip window of
  // width x height, pen 9, a circle of radius 80 (not scaled) at the
  // origin, then lines every `spacing` units. A spacing of 0 or less, or
  // a value that is not finite, draws the circle only (the line loops
  // would never end).
  void hpglGrid(double x0, double y0, double width, double spacing, double height);

  // Coordinates are written by hpglInt, or, after setCoordinateWidth(w)
  // with w > 0, right-justified to w characters without decimals
  // (fixedText(v, w, 0)), the form some marks of the planar plot keep.
  // Radii and sizes are not affected.
  void setCoordinateWidth(int width) override { coordinateWidth_ = width; }
  // How polyline spells its vertices (PolylineForm, plot_surface.h).
  void setPolylineForm(PolylineForm form) override { polylineForm_ = form; }

  // The clip window without the closing ";" of setWindow: ";IW x1 y1 x2 y2".
  void setWindowOpen(double x1, double y1, double x2, double y2);
  // An empty command: ";".
  void endCommand();
  // The label set-up of the planar plot's hour numbers, in its blank-
  // separated form: ";PU; SP" pen "; SI w,h;" (sizes as setCharSize).
  void penUpPenAndSize(int pen, double widthCm, double heightCm);
  // A dashed segment in the planar plot's form: ";LT 2,2; PU x1 y1 ;PD x2
  // y2;LT ;PU " (the start by hpglInt, the end in the coordinate form).
  void dashedSegment(double x1, double y1, double x2, double y2);

  // PlotSurface, in the forms:
  // selectPen ";SP n"; moveTo ";PU x y"; lineTo ";PD x y"; penUp ";PU;";
  // polyline in the form set by setPolylineForm; labelHere ";LB" text ETX;
  // circle ";PU x y;CI r;" or ";PU x y;CI r ,chord"; arc ";PD;AA cx,cy,sweep"
  // (",chord"); label ";PU x y;LB" text ETX; setCharSize ";SI w,h" (each
  // fixedText(size * R, 5, 2)); setLabelDirection ";DI run,rise" (one
  // decimal each, so give them scaled, e.g. 100 cos a, 100 sin a);
  // setLineType ";LT 2,2;" or ";LT;"; setPenWidth ";PW w;"; setWindow
  // ";IW x1 y1 x2 y2;"; resetWindow ";IW;"; frameRectangle ";PU 0 0;EA x y;".
  void selectPen(int pen) override;
  void moveTo(double x, double y) override;
  void lineTo(double x, double y) override;
  void penUp() override;
  void polyline(std::span<const PlotVertex> vertices) override;
  void circle(double x, double y, double r, double chordDeg = 0) override;
  void arc(double cx, double cy, double sweepDeg, double chordDeg = 0) override;
  void label(double x, double y, std::string_view text) override;
  void labelHere(std::string_view text) override;
  void setCharSize(double widthCm, double heightCm) override;
  void setLabelDirection(double run, double rise) override;
  void setLineType(bool dashed) override;
  void setPenWidth(int width) override;
  void setWindow(double x1, double y1, double x2, double y2) override;
  void resetWindow() override;
  void frameRectangle(double x, double y) override;

 private:
  // Tests write raw text through this door.
  friend struct HpglRawAccess;

  // Appends `text` and flushes, every character beyond ASCII spelled by
  // plotAscii (every label of every family passes here); an empty text
  // writes nothing. Throws PlotFileError on a write failure.
  void hpglWrite(std::string_view text);
  [[noreturn]] void fail(std::error_code ec);
  std::string coordinate(double v) const;
  std::string pair(double x, double y) const;
  std::string charSize(double widthCm, double heightCm) const;  // ";SI w,h"

  SafeFileWriter file_;
  std::string path_;
  int resolutionFactor_;
  int coordinateWidth_ = 0;
  PolylineForm polylineForm_ = PolylineForm::Joined;
};

}  // namespace tavrel
