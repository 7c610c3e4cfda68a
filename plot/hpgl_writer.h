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
// What most dial plots write after the prologue.
inline constexpr std::string_view kHpglPenTextStart = ";SP 4;PU 0 0;";
// Trailers of the dial families.
inline constexpr std::string_view kHpglTrailerWindowReset = ";IW;IN;";
inline constexpr std::string_view kHpglTrailerPenAway = ";SP 0;IN;";
inline constexpr std::string_view kHpglTrailerInit = ";IN;";
// Prologues of the table window's graphs: the equation of time, the
// cartesian and the polar sun-path diagram.
inline constexpr std::string_view kHpglEotGraphPrologue = "IN;SP 8;SI 0.14, 0.24;SP 8";
inline constexpr std::string_view kHpglCartesianPrologue = ";IN;SS;SI 0.14, 0.21;SP 4";
inline constexpr std::string_view kHpglPolarPrologue = ";IN;SS;SI 0.16, 0.24;SP 4";

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
  // Appends `text` and flushes, every character beyond ASCII spelled by
  // plotAscii (every label of every family passes here); an empty text
  // writes nothing. Throws PlotFileError on a write failure.
  void hpglWrite(std::string_view text);
  // Completes the file. Throws PlotFileError.
  void hpglClose();
  bool isOpen() const { return file_.isOpen(); }

  // The prologue of hpglPrologue followed by ";SP 4;PU 0 0;".
  void writeStandardPrologue();

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
  void setCoordinateWidth(int width) { coordinateWidth_ = width; }

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
  // polyline ";PU x y" for every move, ";PD x y" opening a run of lines
  // and " x y" for each further line of the run; labelHere ";LB" text ETX;
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
  [[noreturn]] void fail(std::error_code ec);
  std::string coordinate(double v) const;
  std::string pair(double x, double y) const;

  SafeFileWriter file_;
  std::string path_;
  int resolutionFactor_;
  int coordinateWidth_ = 0;
};

}  // namespace tavrel
