// The HPGL-to-DXF converter: convertHpglToDxf and the information lines it fills.
#pragma once

#include "dxf/info_lines.h"
#include "dxf/make_dxf.h"
