// The drawing window's controller: picture state, activation defaults,
// construction dispatch, zoom and page layouts; saving as HPGL and DXF.
#pragma once

#include "drawing/drawing_controller.h"
#include "drawing/drawing_texts.h"
#include "drawing/graph_save.h"
#include "drawing/save_route.h"
