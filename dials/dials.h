// The dial constructions, one folder per family with its own chief
// header. Planar dials (dials/planar/): the plane and its gnomonics, the
// shadow projection, the lines of every family, the screen and printer
// picture and the hour-line angle table; the plot file, its coordinates
// listing, the pole-style information and the printed angle table.
#pragma once

#include "dials/planar/planar.h"
