// A memory DC with a white 32-bit bitmap selected, for tests that draw and read pixels back.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

class MemoryCanvas : public ::testing::Test {
protected:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;

    void SetUp() override {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
        previous = SelectObject(dc, bitmap);
        ASSERT_NE(previous, nullptr);
        Clear();
    }

    void TearDown() override {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }

    void Clear(COLORREF color = RGB(255, 255, 255)) {
        const RECT all{0, 0, kWidth, kHeight};
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }

    // The smallest rectangle holding every pixel that is not white, or an empty one.
    RECT Ink() const {
        RECT ink{kWidth, kHeight, 0, 0};
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (GetPixel(dc, x, y) != RGB(255, 255, 255)) {
                    ink.left = std::min<LONG>(ink.left, x);
                    ink.top = std::min<LONG>(ink.top, y);
                    ink.right = std::max<LONG>(ink.right, x + 1);
                    ink.bottom = std::max<LONG>(ink.bottom, y + 1);
                }
        return ink.right == 0 ? RECT{} : ink;
    }

    static bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};
