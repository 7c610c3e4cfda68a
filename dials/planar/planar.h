// The planar dials: horizontal, vertical declining and inclined, each
// also as an umbrella dial.
//
// How a dial family is built (every family folder follows it):
// - Geometry once. Sun positions, projections and clipping are computed
//   once per construction into plain data in dial coordinates
//   (millimetres from the gnomon foot, y upwards): here planar_lines.h for
//   the lines, planar_marks.h for the title and information texts, the
//   horizon, the polar triangle and the rounded gnomon length.
// - Two emitters, one interface. The screen/printer picture
//   (planar_dial.h) and the plot file (planar_plot.h) place that data on
//   their target (DialPlacement) and draw it through PlotSurface
//   (ScreenSurface or HpglWriter); the line families go through the one
//   routine emitPlanarLines. HPGL syntax lives in plot/hpgl_writer only.
// - Where the twins differ (sampling steps, pens of some subdivisions,
//   page placement, label layout) the difference is a parameter
//   (PlanarLineSampling, DialFrame, DialPlacement), not a second loop.
#pragma once

#include "dials/planar/angle_table_print.h"
#include "dials/planar/coordinates_file.h"
#include "dials/planar/hour_line_angles.h"
#include "dials/planar/planar_dial.h"
#include "dials/planar/planar_lines.h"
#include "dials/planar/planar_marks.h"
#include "dials/planar/planar_plane.h"
#include "dials/planar/planar_plot.h"
#include "dials/planar/planar_texts.h"
#include "dials/planar/pole_style_info.h"
#include "dials/planar/shadow_projection.h"
