#include "gdi/font_engine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>

namespace qv::gdi::fonts {
namespace {

// Windows-1252 bytes 0x80 to 0x9F; the unassigned ones keep their own value.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ToUnicode(unsigned char c) { return c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c; }

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// The Windows faces the program names, pinned to the Liberation faces so that every machine
// with fonts-liberation measures text alike.
std::string FamilyFor(const std::string& face) {
    const std::string name = Lower(face);
    if (name.empty() || name == "arial" || name == "ms shell dlg" || name == "ms shell dlg 2" ||
        name == "ms sans serif" || name == "tahoma" || name == "system")
        return "Liberation Sans";
    if (name == "courier new" || name == "courier" || name == "fixedsys" || name == "terminal")
        return "Liberation Mono";
    if (name == "times new roman")
        return "Liberation Serif";
    return face;
}

struct FontFile {
    std::string path;
    int index = 0;
    std::string family;
};

FontFile Match(const std::string& family, int weight, bool italic) {
    static const bool initialised = FcInit();
    FontFile file;
    if (!initialised)
        return file;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* path = nullptr;
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
            file.path = reinterpret_cast<const char*>(path);
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
            file.family = reinterpret_cast<const char*>(name);
        FcPatternGetInteger(match, FC_INDEX, 0, &file.index);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library made = nullptr;
        if (FT_Init_FreeType(&made) != 0)
            throw std::runtime_error("FreeType cannot start");
        return made;
    }();
    return library;
}

int Round(double v) { return static_cast<int>(std::lround(v)); }

class FreeTypeFont final : public RealizedFont {
public:
    FreeTypeFont(const FontRequest& request, const FontFile& file) : family_(file.family) {
        if (FT_New_Face(Library(), file.path.c_str(), file.index, &face_) != 0)
            throw std::runtime_error("cannot open font " + file.path);
        const double upem = face_->units_per_EM;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
        const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face_, FT_SFNT_HHEA));
        const double winAscent = os2 ? os2->usWinAscent : face_->ascender;
        const double winDescent = os2 ? os2->usWinDescent : -face_->descender;
        const int height = request.height == 0 ? kDefaultCellHeight : request.height;
        const double em = height < 0 ? -height : height * upem / (winAscent + winDescent);
        const double scale = em / upem;
        FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72);

        metrics_.ascent = Round(winAscent * scale);
        metrics_.descent = height > 0 ? height - metrics_.ascent : Round(winDescent * scale);
        metrics_.height = metrics_.ascent + metrics_.descent;
        metrics_.internalLeading = metrics_.height - Round(em);
        if (hhea) {
            const double lineGap = hhea->Line_Gap - ((winAscent + winDescent) -
                                                     (hhea->Ascender - hhea->Descender));
            metrics_.externalLeading = std::max(0, Round(lineGap * scale));
            metrics_.maxCharWidth = Round(hhea->advance_Width_Max * scale);
        }
        metrics_.weight = request.weight == 0 ? 400 : request.weight;
        metrics_.italic = request.italic;
        metrics_.fixedPitch = FT_IS_FIXED_WIDTH(face_);
        metrics_.underlinePosition = std::max(1, Round(-face_->underline_position * scale));
        metrics_.underlineThickness = std::max(1, Round(face_->underline_thickness * scale));
        metrics_.strikeoutPosition =
            os2 ? Round(os2->yStrikeoutPosition * scale) : metrics_.ascent / 3;

        for (int c = 0; c < 256; ++c) {
            const FT_UInt index = FT_Get_Char_Index(face_, ToUnicode(static_cast<unsigned char>(c)));
            glyphIndex_[c] = index;
            advances_[c] = 0;
            if (index != 0 && FT_Load_Glyph(face_, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0)
                advances_[c] = static_cast<int>((face_->glyph->linearHoriAdvance + 0x8000) >> 16);
        }
        // Windows' average width for dialog units: the 52 letters, halved with rounding.
        int letters = 0;
        for (int c = 'a'; c <= 'z'; ++c)
            letters += advances_[c] + advances_[c - 'a' + 'A'];
        metrics_.aveCharWidth = (letters / 26 + 1) / 2;
        if (metrics_.maxCharWidth == 0)
            metrics_.maxCharWidth = *std::max_element(advances_.begin(), advances_.end());
    }
    ~FreeTypeFont() override { FT_Done_Face(face_); }
    FreeTypeFont(const FreeTypeFont&) = delete;
    FreeTypeFont& operator=(const FreeTypeFont&) = delete;

    const Metrics& GetMetrics() const override { return metrics_; }
    const std::string& Family() const override { return family_; }
    int Advance(unsigned char c) const override { return advances_[c]; }

    const Glyph& GlyphOf(unsigned char c) override {
        std::lock_guard lock(mutex_);
        auto& slot = glyphs_[c];
        if (!slot)
            slot = Render(c);
        return *slot;
    }

private:
    static constexpr int kDefaultCellHeight = 16;

    std::unique_ptr<Glyph> Render(unsigned char c) {
        auto glyph = std::make_unique<Glyph>();
        if (glyphIndex_[c] == 0 ||
            FT_Load_Glyph(face_, glyphIndex_[c], FT_LOAD_TARGET_LIGHT | FT_LOAD_RENDER) != 0)
            return glyph;
        const FT_Bitmap& bitmap = face_->glyph->bitmap;
        glyph->left = face_->glyph->bitmap_left;
        glyph->top = face_->glyph->bitmap_top;
        glyph->width = static_cast<int>(bitmap.width);
        glyph->rows = static_cast<int>(bitmap.rows);
        glyph->coverage.resize(static_cast<size_t>(glyph->width) * glyph->rows);
        for (int y = 0; y < glyph->rows; ++y) {
            const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
            for (int x = 0; x < glyph->width; ++x) {
                const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
                const uint8_t value = mono ? ((row[x / 8] >> (7 - x % 8)) & 1) * 255 : row[x];
                glyph->coverage[static_cast<size_t>(y) * glyph->width + x] = value;
            }
        }
        return glyph;
    }

    FT_Face face_ = nullptr;
    std::string family_;
    Metrics metrics_;
    std::array<FT_UInt, 256> glyphIndex_{};
    std::array<int, 256> advances_{};
    std::mutex mutex_;
    std::array<std::unique_ptr<Glyph>, 256> glyphs_;
};

} // namespace

std::shared_ptr<RealizedFont> Realize(const FontRequest& request) {
    static std::mutex mutex;
    static std::map<std::tuple<std::string, int, int, bool>, std::shared_ptr<RealizedFont>> cache;
    std::lock_guard lock(mutex);
    const int weight = request.weight == 0 ? 400 : request.weight;
    auto key = std::make_tuple(Lower(request.face), request.height, weight, request.italic);
    auto& slot = cache[key];
    if (!slot) {
        const FontFile file = Match(FamilyFor(request.face), weight, request.italic);
        if (file.path.empty())
            return nullptr;
        try {
            slot = std::make_shared<FreeTypeFont>(request, file);
        } catch (const std::runtime_error&) {
            return nullptr;
        }
    }
    return slot;
}

} // namespace qv::gdi::fonts
