// A device context. It holds two handles: the output DC (m_hDC), which drawing goes to, and the
// attribute DC (m_hAttribDC), which queries read and attribute settings go to. They are usually
// the same; when they differ, settings that change what drawing produces (colours, modes,
// origins, selected objects) go to both, and the attribute DC's answer is returned.
#pragma once
#include "framework/CPoint.h"
#include "framework/CSize.h"

#include <string>
#include <windows.h>

class CBitmap;
class CBrush;
class CFont;
class CGdiObject;
class CPen;

class CDC {
public:
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

    CDC() = default;
    // Deletes the DC still held (one made by CreateCompatibleDC or attached).
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    // The object attached to hDC on this thread, else a temporary wrapper valid until the thread
    // is next idle; null for null.
    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();

    // Holds hDC as both the output and the attribute DC.
    BOOL Attach(HDC hDC);
    // Lets go of both handles; returns the output DC.
    HDC Detach();
    void SetAttribDC(HDC hDC);
    void SetOutputDC(HDC hDC);
    void ReleaseAttribDC();
    void ReleaseOutputDC();

    // A memory DC compatible with pDC (the screen when null).
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    // Save and restore both DCs' states when they differ; SaveDC returns the attribute DC's level.
    virtual int SaveDC();
    virtual BOOL RestoreDC(int nSavedDC);

    HGDIOBJ SelectObject(HGDIOBJ hObject);
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    // Selects a stock object (GetStockObject's index); returns the object it replaced.
    CGdiObject* SelectStockObject(int nIndex);

    int SetBkMode(int nBkMode);
    int GetBkMode() const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    int SetMapMode(int nMapMode);
    int GetMapMode() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point);
    CPoint GetViewportOrg() const;
    UINT SetBoundsRect(LPCRECT lpRectBounds, UINT flags);
    int GetDeviceCaps(int nIndex) const;

    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    // Fills with crColor, which is left as the output DC's background colour.
    void FillSolidRect(LPCRECT lpRect, COLORREF crColor);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
    void DrawFocusRect(LPCRECT lpRect);
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point);
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const std::string& str);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount,
                    const INT* lpDxWidths = nullptr);
    int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const std::string& str, LPRECT lpRect, UINT nFormat);
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
    CSize GetTextExtent(const std::string& str) const;
    BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const;
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF SetPixel(POINT point, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const;
    BOOL DrawIcon(int x, int y, HICON hIcon);
    BOOL DrawIcon(POINT point, HICON hIcon);

private:
    // Selects hObject into both DCs; returns what the attribute DC had.
    HGDIOBJ SelectGdiObject(HGDIOBJ hObject);
};
