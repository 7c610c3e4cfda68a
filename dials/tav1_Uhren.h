// The dial constructions. Planar dials: the plane and its gnomonics, the
// shadow projection, the lines of every family, the screen and printer
// picture and the hour-line angle table; the plot file, its coordinates
// listing, the pole-style information and the printed angle table.
#pragma once

#include "dials/angle_table_print.h"
#include "dials/coordinates_file.h"
#include "dials/hour_line_angles.h"
#include "dials/planar_dial.h"
#include "dials/planar_lines.h"
#include "dials/planar_plane.h"
#include "dials/planar_plot.h"
#include "dials/planar_texts.h"
#include "dials/pole_style_info.h"
#include "dials/shadow_projection.h"
