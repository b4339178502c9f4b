// Fonts and text output: CreateFontA, TextOutA, ExtTextOutA, extents and metrics.
#include "gdi/text.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace qv::gdi {

fonts::RealizedFont* FontOf(Dc& dc) {
    Font* font = Find<Font>(dc.state.font);
    if (!font)
        return nullptr;
    if (!font->realized) {
        const LOGFONTA& lf = font->logfont;
        fonts::FontRequest request;
        request.face.assign(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
        if (request.face.empty() && (lf.lfPitchAndFamily & 3) == FIXED_PITCH)
            request.face = "Courier New";
        request.height = lf.lfHeight;
        request.weight = lf.lfWeight;
        request.italic = lf.lfItalic != 0;
        font->realized = fonts::Realize(request);
    }
    return font->realized.get();
}

int TextWidth(fonts::RealizedFont& font, std::string_view text) {
    int width = 0;
    for (unsigned char c : text)
        width += font.Advance(c);
    return width;
}

void DrawRun(Dc& dc, const Canvas& canvas, fonts::RealizedFont& font, const Run& run) {
    const fonts::Metrics& m = font.GetMetrics();
    int width = 0;
    for (size_t i = 0; i < run.text.size(); ++i)
        width += run.advances ? run.advances[i] : font.Advance(run.text[i]);
    const RECT cell{run.x, run.y, run.x + width, run.y + m.height};
    if (dc.state.bkMode == OPAQUE)
        canvas.Fill(cell, ToPixel(dc.state.bkColor));
    const uint32_t ink = ToPixel(dc.state.textColor);
    const int baseline = run.y + m.ascent;
    const Font* logical = Find<Font>(dc.state.font);
    const bool underline = logical && logical->logfont.lfUnderline;
    const bool strikeout = logical && logical->logfont.lfStrikeOut;
    int pen = run.x;
    for (size_t i = 0; i < run.text.size(); ++i) {
        const unsigned char c = run.text[i];
        const int advance = run.advances ? run.advances[i] : font.Advance(c);
        const fonts::Glyph& glyph = font.GlyphOf(c);
        const int left = pen + glyph.left;
        const int top = baseline - glyph.top;
        for (int y = 0; y < glyph.rows; ++y)
            for (int x = 0; x < glyph.width; ++x)
                if (const uint8_t a = glyph.coverage[static_cast<size_t>(y) * glyph.width + x])
                    canvas.Blend(left + x, top + y, ink, a);
        if (std::find(run.underlined.begin(), run.underlined.end(), i) != run.underlined.end()) {
            const int under = baseline + m.underlinePosition;
            canvas.Fill(RECT{pen, under, pen + advance, under + m.underlineThickness}, ink);
        }
        pen += advance;
    }
    if (underline) {
        const int under = baseline + m.underlinePosition;
        canvas.Fill(RECT{run.x, under, pen, under + m.underlineThickness}, ink);
    }
    if (strikeout) {
        const int strike = baseline - m.strikeoutPosition;
        canvas.Fill(RECT{run.x, strike, pen, strike + m.underlineThickness}, ink);
    }
    Accumulate(dc, cell);
}

} // namespace qv::gdi

using namespace qv::gdi;

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
    if (!lplf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Font font{*lplf, nullptr};
    font.logfont.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(AddObject(Object{std::move(font)}));
}

HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                         DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                         DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality,
                         DWORD iPitchAndFamily, LPCSTR pszFaceName) {
    LOGFONTA lf{};
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = static_cast<BYTE>(bItalic);
    lf.lfUnderline = static_cast<BYTE>(bUnderline);
    lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(iCharSet);
    lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
    lf.lfQuality = static_cast<BYTE>(iQuality);
    lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
    if (pszFaceName)
        std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
    return WithDc(hdc, FALSE, [&](Dc& dc) {
        fonts::RealizedFont* font = FontOf(dc);
        if (!lptm || !font)
            return FALSE;
        const fonts::Metrics& m = font->GetMetrics();
        const Font* logical = Find<Font>(dc.state.font);
        TEXTMETRICA tm{};
        tm.tmHeight = m.height;
        tm.tmAscent = m.ascent;
        tm.tmDescent = m.descent;
        tm.tmInternalLeading = m.internalLeading;
        tm.tmExternalLeading = m.externalLeading;
        tm.tmAveCharWidth = m.aveCharWidth;
        tm.tmMaxCharWidth = m.maxCharWidth;
        tm.tmWeight = m.weight;
        tm.tmOverhang = 0;
        tm.tmDigitizedAspectX = 96;
        tm.tmDigitizedAspectY = 96;
        tm.tmFirstChar = 0x20;
        tm.tmLastChar = 0xFF;
        tm.tmDefaultChar = 0x1F;
        tm.tmBreakChar = 0x20;
        tm.tmItalic = m.italic ? 0xFF : 0;
        tm.tmUnderlined = logical->logfont.lfUnderline ? 0xFF : 0;
        tm.tmStruckOut = logical->logfont.lfStrikeOut ? 0xFF : 0;
        // TMPF_FIXED_PITCH set means variable pitch, as Windows has it.
        tm.tmPitchAndFamily = static_cast<BYTE>((m.fixedPitch ? FF_MODERN : FF_SWISS | TMPF_FIXED_PITCH) |
                                                TMPF_VECTOR | TMPF_TRUETYPE);
        tm.tmCharSet = ANSI_CHARSET;
        *lptm = tm;
        return TRUE;
    });
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    return WithDc(hdc, FALSE, [&](Dc& dc) {
        fonts::RealizedFont* font = FontOf(dc);
        if (!psizl || c < 0 || (c > 0 && !lpString) || !font)
            return FALSE;
        psizl->cx = TextWidth(*font, std::string_view(lpString ? lpString : "", c));
        psizl->cy = font->GetMetrics().height;
        return TRUE;
    });
}

int WINAPI GetTextFaceA(HDC hdc, int c, LPSTR lpName) {
    return WithDc(hdc, 0, [&](Dc& dc) {
        const Font* logical = Find<Font>(dc.state.font);
        fonts::RealizedFont* font = FontOf(dc);
        if (!logical || !font)
            return 0;
        std::string face(logical->logfont.lfFaceName);
        if (face.empty())
            face = font->Family();
        if (!lpName)
            return static_cast<int>(face.size()) + 1;
        if (c <= 0)
            return 0;
        const size_t n = std::min(face.size(), static_cast<size_t>(c) - 1);
        std::memcpy(lpName, face.data(), n);
        lpName[n] = '\0';
        return static_cast<int>(n);
    });
}

BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString,
                        UINT c, const INT* lpDx) {
    return WithDc(hdc, FALSE, [&](Dc& dc) {
        fonts::RealizedFont* font = FontOf(dc);
        if (!font || (c > 0 && !lpString))
            return FALSE;
        Canvas canvas = CanvasOf(dc);
        if ((options & ETO_OPAQUE) && lprect) {
            canvas.Fill(*lprect, ToPixel(dc.state.bkColor));
            Accumulate(dc, *lprect);
        }
        if ((options & ETO_CLIPPED) && lprect)
            canvas = canvas.ClippedTo(*lprect);
        const std::string_view text(lpString ? lpString : "", c);
        int width = 0;
        for (size_t i = 0; i < text.size(); ++i)
            width += lpDx ? lpDx[i] : font->Advance(text[i]);
        const UINT align = dc.state.textAlign;
        const bool updateCp = align & TA_UPDATECP;
        if (updateCp) {
            x = dc.state.position.x;
            y = dc.state.position.y;
        }
        const fonts::Metrics& m = font->GetMetrics();
        int left = x;
        if ((align & TA_CENTER) == TA_CENTER)
            left = x - width / 2;
        else if (align & TA_RIGHT)
            left = x - width;
        int top = y;
        if ((align & TA_BASELINE) == TA_BASELINE)
            top = y - m.ascent;
        else if (align & TA_BOTTOM)
            top = y - m.height;
        DrawRun(dc, canvas, *font, Run{text, left, top, lpDx, {}});
        if (updateCp && (align & TA_CENTER) != TA_CENTER)
            dc.state.position.x = (align & TA_RIGHT) ? x - width : x + width;
        return TRUE;
    });
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    if (c < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ExtTextOutA(hdc, x, y, 0, nullptr, lpString, static_cast<UINT>(c), nullptr);
}
