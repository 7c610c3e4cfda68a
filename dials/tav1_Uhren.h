// The dial constructions. Planar dials: the plane and its gnomonics, the
// shadow projection, the lines of every family, the screen and printer
// picture and the hour-line angle table; the plot file, its coordinates
// listing, the pole-style information and the printed angle table.
#pragma once

#include "dials/planar/angle_table_print.h"
#include "dials/planar/coordinates_file.h"
#include "dials/planar/hour_line_angles.h"
#include "dials/planar/planar_dial.h"
#include "dials/planar/planar_lines.h"
#include "dials/planar/planar_plane.h"
#include "dials/planar/planar_plot.h"
#include "dials/planar/planar_texts.h"
#include "dials/planar/pole_style_info.h"
#include "dials/planar/shadow_projection.h"
