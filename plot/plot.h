// The plot foundation: the canvas and
// its backends, the plot surfaces (screen and printer, HPGL stream) and
// the page constants.
#pragma once

#include "base/base.h"
#include "plot/canvas.h"
#include "plot/hpgl_writer.h"
#include "plot/page_constants.h"
#include "plot/plot_file_dialog.h"
#include "plot/plot_surface.h"
#include "plot/polar_chart.h"
#include "plot/recording_canvas.h"
#include "plot/screen_surface.h"
#include "plot/svg_canvas.h"
#include "plot/temporary_file.h"
