// Measuring and drawing runs of Windows-1252 text in a DC's font, shared by TextOutA, ExtTextOutA
// and DrawTextA so that all of them measure and place characters alike.
#pragma once
#include "gdi/canvas.h"
#include "gdi/font_engine.h"
#include "gdi/objects.h"

#include <string_view>
#include <vector>

namespace qv::gdi {

// The realized font selected into the DC, or null when none can be found.
fonts::RealizedFont* FontOf(Dc& dc);

// The sum of the integer advances of the characters.
int TextWidth(fonts::RealizedFont& font, std::string_view text);

struct Run {
    std::string_view text;
    // Top-left corner of the text cell, logical coordinates.
    int x = 0;
    int y = 0;
    // Per-character advances (ExtTextOutA's lpDx), or null for the font's own.
    const INT* advances = nullptr;
    // Characters drawn underlined (mnemonics), by index in the text.
    std::vector<size_t> underlined;
};

// Draws the run in the DC's text colour, over a cell filled first in OPAQUE mode.
void DrawRun(Dc& dc, const Canvas& canvas, fonts::RealizedFont& font, const Run& run);

} // namespace qv::gdi
