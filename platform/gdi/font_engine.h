// Fonts as FreeType renders them and fontconfig finds them. Plain C++: no Windows headers here,
// so that the FreeType and fontconfig headers never meet the Windows names.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qv::gdi::fonts {

// What a logical font asks for, with the height as Windows reads it: negative is the em height
// in pixels, positive the cell height (ascent plus descent), 0 a default.
struct FontRequest {
    std::string face;
    int height = 0;
    int weight = 400;
    bool italic = false;
};

// A character rendered as coverage (0 to 255), placed relative to the pen on the baseline.
struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int rows = 0;
    std::vector<uint8_t> coverage;
};

// Metrics in whole pixels, named after TEXTMETRIC.
struct Metrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = 400;
    bool italic = false;
    bool fixedPitch = false;
    // Below the baseline for the underline, above it for the strike-out line.
    int underlinePosition = 1;
    int underlineThickness = 1;
    int strikeoutPosition = 0;
};

class RealizedFont {
public:
    virtual ~RealizedFont() = default;
    virtual const Metrics& GetMetrics() const = 0;
    // The family the request resolved to ("Liberation Sans").
    virtual const std::string& Family() const = 0;
    // Advance of a Windows-1252 character in whole pixels; measuring and drawing both use it.
    virtual int Advance(unsigned char c) const = 0;
    // The rendered character, made on first use and kept.
    virtual const Glyph& GlyphOf(unsigned char c) = 0;
};

// The font for a request; equal requests share one realized font.
std::shared_ptr<RealizedFont> Realize(const FontRequest& request);

} // namespace qv::gdi::fonts
