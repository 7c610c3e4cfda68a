// The save dialog of a plot file ("Save as Graphics File"): HPGL or DXF
// filter and extension, the proposed name, the overwrite prompt.
#pragma once

#include <optional>
#include <string>

namespace tavrel {

// The name the user chose, or nullopt when the dialog was cancelled.
std::optional<std::string> askPlotFileName(bool dxf, const std::string& initialName);

}  // namespace tavrel
