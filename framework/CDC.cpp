#include "framework/CDC.h"

#include "framework/CBitmap.h"
#include "framework/CBrush.h"
#include "framework/CFont.h"
#include "framework/CPen.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <windows.h>

namespace {

struct DCMaps {
    std::unordered_map<HDC, CDC*> permanent;
    std::unordered_map<HDC, std::unique_ptr<CDC>> temporary;
};

DCMaps& Maps() {
    // Never destroyed: static objects may still release their DCs as the process ends.
    thread_local DCMaps* maps = new DCMaps;
    return *maps;
}

} // namespace

CDC::~CDC() {
    if (m_hDC)
        ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hDC) {
    if (!hDC)
        return nullptr;
    DCMaps& maps = Maps();
    if (auto it = maps.permanent.find(hDC); it != maps.permanent.end())
        return it->second;
    auto& slot = maps.temporary[hDC];
    if (!slot) {
        slot = std::make_unique<CDC>();
        slot->m_hDC = slot->m_hAttribDC = hDC;
    }
    return slot.get();
}

void CDC::DeleteTempMap() {
    auto temporary = std::move(Maps().temporary);
    Maps().temporary.clear();
    for (auto& [hDC, wrapper] : temporary)
        wrapper->m_hDC = wrapper->m_hAttribDC = nullptr;
}

BOOL CDC::Attach(HDC hDC) {
    DCMaps& maps = Maps();
    if (!hDC || m_hDC || maps.permanent.count(hDC)) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    maps.permanent[hDC] = this;
    m_hDC = m_hAttribDC = hDC;
    return TRUE;
}

HDC CDC::Detach() {
    HDC hDC = m_hDC;
    DCMaps& maps = Maps();
    if (auto it = maps.permanent.find(hDC); it != maps.permanent.end() && it->second == this)
        maps.permanent.erase(it);
    m_hDC = m_hAttribDC = nullptr;
    return hDC;
}

void CDC::SetAttribDC(HDC hDC) {
    m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC) {
    m_hDC = hDC;
}

void CDC::ReleaseAttribDC() {
    m_hAttribDC = nullptr;
}

void CDC::ReleaseOutputDC() {
    m_hDC = nullptr;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC() {
    int nSaved = 0;
    if (m_hDC && m_hDC != m_hAttribDC)
        nSaved = ::SaveDC(m_hDC);
    if (m_hAttribDC)
        nSaved = ::SaveDC(m_hAttribDC);
    return nSaved;
}

BOOL CDC::RestoreDC(int nSavedDC) {
    BOOL bRestored = TRUE;
    if (m_hDC && m_hDC != m_hAttribDC)
        bRestored = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC)
        bRestored = ::RestoreDC(m_hAttribDC, nSavedDC) && bRestored;
    return bRestored;
}

HGDIOBJ CDC::SelectGdiObject(HGDIOBJ hObject) {
    HGDIOBJ hOld = nullptr;
    if (m_hDC && m_hDC != m_hAttribDC)
        hOld = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC)
        hOld = ::SelectObject(m_hAttribDC, hObject);
    return hOld;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
    return SelectGdiObject(hObject);
}

CPen* CDC::SelectObject(CPen* pPen) {
    return CPen::FromHandle(static_cast<HPEN>(SelectGdiObject(pPen ? pPen->m_hObject : nullptr)));
}

CBrush* CDC::SelectObject(CBrush* pBrush) {
    return CBrush::FromHandle(
        static_cast<HBRUSH>(SelectGdiObject(pBrush ? pBrush->m_hObject : nullptr)));
}

CFont* CDC::SelectObject(CFont* pFont) {
    return CFont::FromHandle(
        static_cast<HFONT>(SelectGdiObject(pFont ? pFont->m_hObject : nullptr)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    return CBitmap::FromHandle(
        static_cast<HBITMAP>(SelectGdiObject(pBitmap ? pBitmap->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    return hObject ? CGdiObject::FromHandle(SelectGdiObject(hObject)) : nullptr;
}

namespace {

// Applies a setting to the output DC when it is another DC, then to the attribute DC, and
// returns the attribute DC's previous value (the output DC's when there is no attribute DC).
template <typename Result, typename Apply>
Result SetOnBoth(HDC hDC, HDC hAttribDC, Result failed, Apply apply) {
    Result previous = failed;
    if (hDC && hDC != hAttribDC)
        previous = apply(hDC);
    if (hAttribDC)
        previous = apply(hAttribDC);
    return previous;
}

} // namespace

int CDC::SetBkMode(int nBkMode) {
    return SetOnBoth(m_hDC, m_hAttribDC, 0, [=](HDC h) { return ::SetBkMode(h, nBkMode); });
}

int CDC::GetBkMode() const {
    return ::GetBkMode(m_hAttribDC);
}

COLORREF CDC::SetBkColor(COLORREF crColor) {
    return SetOnBoth(m_hDC, m_hAttribDC, CLR_INVALID,
                     [=](HDC h) { return ::SetBkColor(h, crColor); });
}

COLORREF CDC::GetBkColor() const {
    return ::GetBkColor(m_hAttribDC);
}

COLORREF CDC::SetTextColor(COLORREF crColor) {
    return SetOnBoth(m_hDC, m_hAttribDC, CLR_INVALID,
                     [=](HDC h) { return ::SetTextColor(h, crColor); });
}

COLORREF CDC::GetTextColor() const {
    return ::GetTextColor(m_hAttribDC);
}

int CDC::SetMapMode(int nMapMode) {
    return SetOnBoth(m_hDC, m_hAttribDC, 0, [=](HDC h) { return ::SetMapMode(h, nMapMode); });
}

int CDC::GetMapMode() const {
    return ::GetMapMode(m_hAttribDC);
}

CPoint CDC::SetViewportOrg(int x, int y) {
    POINT previous{0, 0};
    SetOnBoth(m_hDC, m_hAttribDC, FALSE,
              [&](HDC h) { return ::SetViewportOrgEx(h, x, y, &previous); });
    return CPoint(previous);
}

CPoint CDC::SetViewportOrg(POINT point) {
    return SetViewportOrg(point.x, point.y);
}

CPoint CDC::GetViewportOrg() const {
    POINT origin{0, 0};
    ::GetViewportOrgEx(m_hAttribDC, &origin);
    return CPoint(origin);
}

UINT CDC::SetBoundsRect(LPCRECT lpRectBounds, UINT flags) {
    return ::SetBoundsRect(m_hDC, lpRectBounds, flags);
}

int CDC::GetDeviceCaps(int nIndex) const {
    return ::GetDeviceCaps(m_hAttribDC, nIndex);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FillRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(pBrush->m_hObject) : nullptr);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor) {
    // An opaque text-out of nothing fills with the background colour; the colour stays set,
    // as callers that draw text next expect.
    ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor) {
    RECT rect{x, y, x + cx, y + cy};
    FillSolidRect(&rect, crColor);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FrameRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(pBrush->m_hObject) : nullptr);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) {
    return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}

void CDC::DrawFocusRect(LPCRECT lpRect) {
    ::DrawFocusRect(m_hDC, lpRect);
}

CPoint CDC::MoveTo(int x, int y) {
    // The current position is where drawing starts and what queries report: both DCs keep it.
    POINT previous{0, 0};
    SetOnBoth(m_hDC, m_hAttribDC, FALSE, [&](HDC h) { return ::MoveToEx(h, x, y, &previous); });
    return CPoint(previous);
}

CPoint CDC::MoveTo(POINT point) {
    return MoveTo(point.x, point.y);
}

BOOL CDC::LineTo(int x, int y) {
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::LineTo(POINT point) {
    return LineTo(point.x, point.y);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) {
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Rectangle(LPCRECT lpRect) {
    return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString, int nCount) {
    return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const std::string& str) {
    return TextOut(x, y, str.c_str(), static_cast<int>(str.size()));
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString,
                     UINT nCount, const INT* lpDxWidths) {
    return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

int CDC::DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const std::string& str, LPRECT lpRect, UINT nFormat) {
    return DrawText(str.c_str(), static_cast<int>(str.size()), lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &size);
    return CSize(size);
}

CSize CDC::GetTextExtent(const std::string& str) const {
    return GetTextExtent(str.c_str(), static_cast<int>(str.size()));
}

BOOL CDC::GetTextMetrics(LPTEXTMETRICA lpMetrics) const {
    return ::GetTextMetricsA(m_hAttribDC, lpMetrics);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop) {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                    dwRop);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) {
    return ::SetPixel(m_hDC, x, y, crColor);
}

COLORREF CDC::SetPixel(POINT point, COLORREF crColor) {
    return SetPixel(point.x, point.y, crColor);
}

COLORREF CDC::GetPixel(int x, int y) const {
    return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::GetPixel(POINT point) const {
    return GetPixel(point.x, point.y);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) {
    return ::DrawIcon(m_hDC, x, y, hIcon);
}

BOOL CDC::DrawIcon(POINT point, HICON hIcon) {
    return DrawIcon(point.x, point.y, hIcon);
}
