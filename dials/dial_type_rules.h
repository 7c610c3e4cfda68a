// The rules of the dial-type window that need no widgets: the fourteen
// entries of the choice list and what each one writes into the design
// record, the value fields a kind asks for and their checks, the picture
// and the colour-legend block of a kind. What depends on the kind comes
// from the family table.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "dials/dial_family.h"

namespace tavrel {

struct DesignState;
class EditField;

// The positions offered, in list order: all fourteen in expert mode,
// otherwise without bi-azimuthal and Hollander.
std::vector<int> dialTypeEntries(bool expertMode);

// The position that shows the record's kind: the umbrella entry while
// umbrellaMode, else the entry of dialKind (horizontal for an unknown one).
int dialTypeEntryOf(const DesignState& d);

// Choosing a position: umbrellaMode = false, then the entry's letter;
// vertical also sets planeInclination = 90; umbrella keeps 'h', 'v' or 'i'
// (anything else becomes 'h') and sets umbrellaMode; quadrant and cylinder
// start at variant 0.
void selectDialTypeEntry(DesignState& d, int entry);

// Help topic of a position; 0 leaves the topic as it was.
int dialTypeHelpTopic(int entry);

// Without expert mode the expert-only families are not offered: such a
// kind (from a settings file, say) becomes the first kind of the table
// ('h').
void dialKindForExpertMode(DesignState& d);

// Number of the built-in picture of the record's kind (0: none). 2998, the
// horizontal dial's number, is no built-in picture and shows nothing.
int dialPictureNumber(const DesignState& d);

// First row of the colour-legend block of a kind; the ham dial 'o' has no
// block and keeps `current`.
int colourLegendBlock(char dialKind, int current);

// The fields shown for the record's kind, in window order.
std::vector<const DialValueField*> dialValueFields(const DesignState& d);

// Every field any row may show, each once, in table order: the rows of the
// window's value area.
std::vector<const DialValueField*> allDialValueFields();

// Whether a sub-choice of the list is shown for the record's kind (the
// quadrant kind only in expert mode, the cylinder kind not for umbrella).
bool dialSubChoiceShown(const DesignState& d, DialSubChoice c);

// The umbrella kind: position 0..2 of the record's kind in the umbrella
// sub-choice, and choosing a position.
int umbrellaKindIndex(const DesignState& d);
void selectUmbrellaKind(DesignState& d, int index);

// The record's value of a field as the window shows it.
std::string dialValueText(const DesignState& d, const DialValueField& v);

// The Habermel gnomon's field range, mm.
inline constexpr double kHabermelGnomonMinMm = 9, kHabermelGnomonMaxMm = 100;

// Gnomon length of the Habermel dials from the diameter D, the rounded
// obliquity e and the latitude p, so that the hours fill the hour circle
// of radius r = (D - 15) / 2 (the disc less its rim), with the noon
// altitudes hs = 90 - p + e and hw = 90 - p - e of the solstices:
// variant 1 (pin) 2 r / (tan hs + tan hw), its noon shadows spanning the
// circle; variant 2 (bar a third of r above the centre) 4 r / 3 / tan hs;
// kept within the field's 9..100 mm; 0 for the quadrant sundial.
double habermelGnomonLength(int variant, double diameter, double obliquity, double latitude);
// habermelGnomonLength of the record's quadrant into habermelGnomonLength.
void deriveHabermelGnomonLength(DesignState& d);

// A field with the label its messages use.
struct LabelledField {
  EditField* field = nullptr;
  std::string label;
};

// The check when the user leaves a field (the narrower ranges). An
// accepted value is stored in the record; a fault shows its box, restores
// the previous value in the field (the two plane angles are cleared
// instead) and gives the focus back. Returns false on a fault.
bool checkDialValueOnExit(DesignState& d, const DialValueField& v, const LabelledField& f);

// The close check of the window over the fields shown. Every failing
// field shows its box; returns false when one failed (the caller sets
// inputValid false and beeps).
bool checkDialTypeWindow(DesignState& d, const std::map<const DialValueField*, LabelledField>& fields);

}  // namespace tavrel
