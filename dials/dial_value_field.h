// A value field of the dial-type window: the record field it edits, the
// text that labels it and the ranges its checks accept. A family's row
// lists the fields it may show (DialFamily::values) and which of them a
// design shows (DialFamily::valueFields); the fields several families
// share are declared here, a family's own fields live in its folder.
#pragma once

#include <cstdint>

namespace tavrel {

struct DesignState;

// Where a label's text comes from: the window-text table of the windows or
// the string table (loadString).
struct DialValueLabel {
  enum Table { WindowTexts, Strings } table = WindowTexts;
  int row = -1;  // -1: none
};

struct DialValueField {
  const char* name = "";                        // the record field's name (as --set names it)
  double DesignState::*real = nullptr;          // the field edited: a real ...
  std::int32_t DesignState::*whole = nullptr;   // ... or an integer
  bool cutAtPoint = false;                      // a typed decimal point ends the number
  DialValueLabel label;
  // The label where the row's declination is the gnomon's (row -1: label).
  DialValueLabel gnomonLabel;
  // A plane angle outside its range is refused with message planeMessage
  // and "Action cancelled!", and its field is cleared; the other fields
  // show their range and get their previous value back.
  bool planeAngle = false;
  int planeMessage = 0;
  double exitMin = 0, exitMax = 0;    // accepted when the user leaves the field
  double closeMin = 0, closeMax = 0;  // accepted by the close check of the window
  // Out of range: strings rangeStrings and rangeStrings + 1 in an error
  // box instead of the range (-1: the range).
  int rangeStrings = -1;
  // What a value accepted on leaving the field derives (nullptr: nothing).
  void (*accepted)(DesignState&) = nullptr;
};

// The fields of the planar dials that other families show too.
extern const DialValueField kWallDeclinationField;  // wallDeclination, -180..180
extern const DialValueField kInclinationField;      // planeInclination, 0..175
extern const DialValueField kGnomonHeightField;     // gnomonLength, 5..200 (close check 3..120)

}  // namespace tavrel
