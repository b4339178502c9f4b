// The escape sequences that bring a terminal from one picture to the next.
#pragma once
#include "desktop/tty/cell_grid.h"

#include <string>

namespace qv::desktop::tty {

// Only the cells that differ from before; everything when before is null or of another size.
std::string Repaint(const CellGrid* before, const CellGrid& after);

// A cleared screen with one line of text, for a terminal too small for the screen.
std::string Notice(const std::string& text);

} // namespace qv::desktop::tty
