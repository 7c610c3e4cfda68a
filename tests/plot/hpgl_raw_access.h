// The writer's raw text door, for tests that need a plot file of a given
// text (error paths, fixtures) rather than one built by the operations.
#pragma once

#include <string_view>

#include "plot/hpgl_writer.h"

namespace tavrel {

struct HpglRawAccess {
  static void write(HpglWriter& w, std::string_view text) { w.hpglWrite(text); }
};

}  // namespace tavrel
