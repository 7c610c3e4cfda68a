// The world outline the program carries: coast lines and boundaries in the
// outline line format (see README_world_outline.md), built into the program
// from world_outline.dat by tavrel_outline_embed.
#pragma once

#include <string_view>

namespace tavrel {

// The whole outline text, lines ending in CR LF.
std::string_view worldOutlineText();

}  // namespace tavrel
