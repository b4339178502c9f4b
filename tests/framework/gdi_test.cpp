// CDC's two handles, its save levels and object selection; the GDI wrappers' ownership; and
// CPaintDC in a window's WM_PAINT.
#include "framework/CBrush.h"
#include "framework/CClientDC.h"
#include "framework/CDC.h"
#include "framework/CException.h"
#include "framework/CFont.h"
#include "framework/CPaintDC.h"
#include "framework/CWnd.h"

#include "TestDesktop.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace qv::test {
namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// Two memory DCs with bitmaps of their own, as a CDC's output and attribute DCs.
class TwoDCs : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 2; ++i) {
            dcs_[i] = ::CreateCompatibleDC(nullptr);
            bitmaps_[i] = ::CreateBitmap(20, 20, 1, 32, nullptr);
            ::SelectObject(dcs_[i], bitmaps_[i]);
        }
        dc_.SetOutputDC(out());
        dc_.SetAttribDC(attrib());
    }
    void TearDown() override {
        dc_.ReleaseOutputDC();
        dc_.ReleaseAttribDC();
        for (int i = 0; i < 2; ++i) {
            ::DeleteDC(dcs_[i]);
            ::DeleteObject(bitmaps_[i]);
        }
    }
    HDC out() const { return dcs_[0]; }
    HDC attrib() const { return dcs_[1]; }

    CDC dc_;
    HDC dcs_[2]{};
    HBITMAP bitmaps_[2]{};
};

TEST_F(TwoDCs, SettingsGoToBothQueriesToTheAttributeDcDrawingToTheOutputDc) {
    ::SetTextColor(attrib(), kBlue);
    EXPECT_EQ(dc_.SetTextColor(kRed), kBlue);
    EXPECT_EQ(::GetTextColor(out()), kRed);
    EXPECT_EQ(::GetTextColor(attrib()), kRed);

    dc_.SetBkMode(TRANSPARENT);
    EXPECT_EQ(::GetBkMode(out()), TRANSPARENT);
    ::SetBkMode(attrib(), OPAQUE);
    EXPECT_EQ(dc_.GetBkMode(), OPAQUE);

    dc_.SetViewportOrg(3, 4);
    POINT origin;
    ::GetViewportOrgEx(out(), &origin);
    EXPECT_EQ(origin.x, 3);
    EXPECT_EQ(dc_.GetViewportOrg(), CPoint(3, 4));
    dc_.SetViewportOrg(0, 0);

    COLORREF before = ::GetPixel(attrib(), 2, 2);
    dc_.SetPixel(2, 2, kRed);
    EXPECT_EQ(::GetPixel(out(), 2, 2), kRed);
    EXPECT_EQ(::GetPixel(attrib(), 2, 2), before);
    EXPECT_EQ(dc_.GetPixel(2, 2), kRed);

    // Text is measured with the attribute DC's font.
    CFont big;
    ASSERT_TRUE(big.CreatePointFont(360, "Arial"));
    CSize small = dc_.GetTextExtent("Wide");
    HGDIOBJ hOld = ::SelectObject(attrib(), big.m_hObject);
    EXPECT_GT(dc_.GetTextExtent("Wide").cx, small.cx);
    ::SelectObject(attrib(), hOld);
}

TEST_F(TwoDCs, SaveAndRestoreApplyToBothDcs) {
    dc_.SetTextColor(kRed);
    int nSaved = dc_.SaveDC();
    EXPECT_GT(nSaved, 0);
    dc_.SetTextColor(kBlue);
    ASSERT_TRUE(dc_.RestoreDC(-1));
    EXPECT_EQ(::GetTextColor(out()), kRed);
    EXPECT_EQ(::GetTextColor(attrib()), kRed);
    // Each DC had one level, and each gave it back.
    EXPECT_FALSE(::RestoreDC(out(), -1));
    EXPECT_FALSE(::RestoreDC(attrib(), -1));
}

TEST(CDC, OneHandleIsRestoredOnce) {
    HDC hDC = ::CreateCompatibleDC(nullptr);
    CDC dc;
    ASSERT_TRUE(dc.Attach(hDC));
    EXPECT_EQ(dc.m_hAttribDC, hDC);
    ::SaveDC(hDC);
    dc.SetTextColor(kRed);
    dc.SaveDC();
    dc.SetTextColor(kBlue);
    ASSERT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetTextColor(), kRed);
    // The level saved outside the object is still there.
    EXPECT_TRUE(::RestoreDC(hDC, -1));
    EXPECT_EQ(dc.Detach(), hDC);
    EXPECT_EQ(dc.m_hAttribDC, nullptr);
    ::DeleteDC(hDC);
}

TEST(CDC, SelectObjectReturnsThePreviousObjectsWrapper) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HGDIOBJ hOriginal = ::GetCurrentObject(dc.m_hDC, OBJ_FONT);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Arial"));

    CFont* pOld = dc.SelectObject(&font);
    ASSERT_NE(pOld, nullptr);
    EXPECT_EQ(pOld->m_hObject, hOriginal);
    EXPECT_EQ(CFont::FromHandle(static_cast<HFONT>(hOriginal)), pOld);
    // Selecting back gives the object that owns the font, not a wrapper.
    EXPECT_EQ(dc.SelectObject(pOld), &font);

    // Temporary wrappers go without deleting what they wrap.
    CGdiObject::DeleteTempMap();
    EXPECT_EQ(::GetObjectType(hOriginal), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(CDC::FromHandle(dc.m_hDC), &dc);
}

TEST(GdiObjects, AnObjectDeletesTheHandleItStillHolds) {
    HGDIOBJ hKept;
    HGDIOBJ hOwned;
    {
        CBrush kept(kRed);
        CBrush owned(kBlue);
        hKept = kept.m_hObject;
        hOwned = owned.m_hObject;
        EXPECT_EQ(CGdiObject::FromHandle(hOwned), &owned);
        EXPECT_EQ(kept.Detach(), hKept);
        EXPECT_FALSE(kept.Attach(hOwned));
    }
    EXPECT_EQ(::GetObjectType(hOwned), 0u);
    EXPECT_NE(::GetObjectType(hKept), 0u);
    ::DeleteObject(hKept);
}

// A window that paints itself red with a CPaintDC and remembers what BeginPaint gave.
class CRedWnd : public CWnd {
public:
    bool painted = false;
    RECT rcPaint{};

protected:
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        painted = dc.m_hDC != nullptr && dc.m_ps.hdc == dc.m_hDC;
        rcPaint = dc.m_ps.rcPaint;
        RECT rcClient;
        GetClientRect(&rcClient);
        dc.FillSolidRect(&rcClient, kRed);
    }

    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(CRedWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

TEST(CPaintDC, PaintsInWmPaintAndValidatesTheWindow) {
    TestDesktop desktop;
    CRedWnd* pWnd = nullptr;
    desktop.Start([&] {
        CRedWnd wnd;
        pWnd = &wnd;
        if (!wnd.CreateEx(0, nullptr, "red", WS_POPUP | WS_VISIBLE, 10, 10, 40, 30, nullptr,
                          nullptr))
            return 1;
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageA(&msg);
        return 0;
    });
    bool painted = false;
    RECT rcPaint{};
    BOOL bUpdate = TRUE;
    COLORREF pixel = 0;
    desktop.Call([&] {
        painted = pWnd->painted;
        rcPaint = pWnd->rcPaint;
        bUpdate = ::GetUpdateRect(pWnd->m_hWnd, nullptr, FALSE);
        CClientDC dc(pWnd);
        pixel = dc.GetPixel(5, 5);
        pWnd->DestroyWindow();
        ::PostQuitMessage(0);
    });
    EXPECT_EQ(desktop.ExitCode(), 0);
    EXPECT_TRUE(painted);
    EXPECT_EQ(rcPaint.right - rcPaint.left, 40);
    EXPECT_FALSE(bUpdate);
    EXPECT_EQ(pixel, kRed);
}

TEST(CPaintDC, WithoutAWindowThrowsTheResourceException) {
    CWnd none;
    EXPECT_THROW(CPaintDC dc(&none), CResourceException);
}

} // namespace
} // namespace qv::test
