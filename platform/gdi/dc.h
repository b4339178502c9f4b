// Making and freeing device contexts, shared by memory DCs and display DCs.
#pragma once
#include "gdi/objects.h"

namespace qv::gdi {

// Adds a DC with the default selected objects of a new DC.
HDC AddDc(Dc dc);
// Frees a DC and any deleted object that only it still held.
void RemoveDc(HDC hdc);

} // namespace qv::gdi
