// The HPGL-to-DXF converter: MakeDxf and the information lines it fills.
#pragma once

#include "dxf/info_lines.h"
#include "dxf/make_dxf.h"
