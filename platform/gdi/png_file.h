// PNG encoding with libpng. Plain C++: libpng's headers stay away from the Windows names.
#pragma once
#include <cstdint>
#include <string>

namespace qv::gdi {

// Writes 0x00RRGGBB pixels, rows top to bottom, as an 8-bit RGB PNG file.
bool WritePngFile(const std::string& path, int width, int height, const uint32_t* pixels);

} // namespace qv::gdi
