// The coordinate grid of a plot: ask the user (message 16, then the
// spacing in an input box), leave it out, or draw it with a given spacing.
#pragma once

#include <optional>

namespace tavrel {

enum class PlotGrid { Ask, Off, On };

// Asks for the grid: message 16 (question, Yes/No); on Yes the spacing in
// an input box ("Display Grid of Coordinates", default "10"), a text that
// is not an integer giving 10. nullopt on No.
std::optional<int> askPlotGrid();

// The grid spacing in millimetres the plot uses: asked (askPlotGrid),
// spacingMm, or none.
std::optional<int> plotGridSpacing(PlotGrid grid, int spacingMm);

}  // namespace tavrel
