// Texts of the drawing window that the language tables do not hold yet,
// German and English (current language: design().language).
#pragma once

#include <string>

namespace tavrel {

enum class DrawingText {
  ConstructionOfA,       // "Construction of a"
  UmbrellaDial,          // "n Umbrella Dial"
  QuadrantSundial,       // " Quadrant Sundial"
  CylinderSundial,       // " Cylinder Sundial"
  ShepherdsDial,         // " (Shepherds´ Dial)"
  HatDial,               // " (Hat Dial)"
  PolarStyle,            // " (Polar Style)"
  AzimuthalSundialPart,  // "n Azimuthal Sundial"
  BiazimuthalSundial,    // "n Biazimuthal (compressed) Sundial"
  MeanTimeSundial,       // " Sundial for Mean Time"
  ElevationSundial,      // " horizontal elevation Sundial"
  SawyerSundials,        // "Sawyer Sundials"
  PeaucellierPrefix,     // "Peaucellier-"
  AzimuthalSundial,      // "Azimuthal Sundial"
  HintFixGnomon,         // "Left mouseclick fixes the gnomon position - <Alt>+left mouseclick marks text position!"
  HintMarkText,          // "<Alt>+left mouseclick marks the text position for saved or printed constructions!"
  HintDataButtons,       // "Save / Load sundial construction data"
};

std::string drawingText(DrawingText id);
std::string drawingText(DrawingText id, int language);

}  // namespace tavrel
