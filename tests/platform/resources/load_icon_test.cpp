// LoadIconA and LoadCursorA: icons of the module in each pixel format, the system's icons and
// cursors, and sharing.
#include "test_resources.h"

#include "gdi/icon.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace {

// The formulas make_test_icons.py paints the test icons with.
uint32_t PaletteColour(unsigned i) {
    return 0xFF000000u | (i * 37 & 0xFF) << 16 | (i * 91 & 0xFF) << 8 | ((i * 53 + 7) & 0xFF);
}

uint32_t TrueColour(int x, int y, bool withAlpha) {
    uint32_t alpha = !withAlpha || x < 16 ? 0xFF : (y * 8 & 0xFF);
    return alpha << 24 | uint32_t(x * 8 & 0xFF) << 16 | uint32_t(y * 8 & 0xFF) << 8 | ((x + y) * 4 & 0xFF);
}

bool Masked(int x, int y) { return x == y || x == 31; }

struct IconCase {
    int id;
    int bits;
};

uint32_t Expected(const IconCase& c, int x, int y) {
    if (c.bits == 32) {
        return TrueColour(x, y, true);
    }
    if (Masked(x, y)) {
        return 0;
    }
    if (c.bits == 24) {
        return TrueColour(x, y, false);
    }
    return PaletteColour((x + 2 * y) % (1 << c.bits));
}

TEST(LoadIcon, DecodesEachPixelFormat) {
    // IDI_RGBA also holds 16 and 48 pixel images: the 32 pixel one is chosen.
    const IconCase cases[] = {{IDI_RGBA, 32}, {IDI_TRUE_COLOUR, 24}, {IDI_PALETTE8, 8},
                              {IDI_PALETTE4, 4}, {IDI_MONO, 1}};
    for (const IconCase& c : cases) {
        HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(c.id));
        ASSERT_NE(icon, nullptr) << c.bits << " bits";
        const qv::gdi::IconImage* image = qv::gdi::GetIconImage(icon);
        ASSERT_NE(image, nullptr);
        ASSERT_EQ(image->width, 32);
        ASSERT_EQ(image->height, 32);
        int wrong = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                uint32_t actual = image->pixels[y * 32 + x];
                if (actual != Expected(c, x, y) && wrong++ < 3) {
                    ADD_FAILURE() << c.bits << " bits at (" << x << ", " << y << "): " << std::hex
                                  << actual << " instead of " << Expected(c, x, y);
                }
            }
        }
    }
}

TEST(LoadIcon, IconsAreSharedAndSurviveDestroyIcon) {
    HICON first = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(IDI_MONO));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), "#304"), first);
    EXPECT_TRUE(DestroyIcon(first));
    EXPECT_NE(qv::gdi::GetIconImage(first), nullptr);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(IDI_MONO)), first);
}

TEST(LoadIcon, DestroyIconFreesOtherIconsOnce) {
    qv::gdi::IconImage picture{2, 2, {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000}};
    HICON own = qv::gdi::CreateIconFromImage(picture);
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(DestroyIcon(own));
    SetLastError(0);
    EXPECT_FALSE(DestroyIcon(own));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_CURSOR_HANDLE));
    EXPECT_FALSE(DestroyIcon(nullptr));
}

TEST(LoadIcon, FailsForMissingIcons) {
    SetLastError(0);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(999)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(IDD_CLASSIC)), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCE(IDI_RGBA)), nullptr) << "not a system icon";
    EXPECT_EQ(LoadIconA(nullptr, "NamedIcon"), nullptr);
}

// A picture that is drawn: some pixels opaque, some transparent, more than one colour.
void ExpectDrawn(HICON handle, const char* what) {
    ASSERT_NE(handle, nullptr) << what;
    const qv::gdi::IconImage* image = qv::gdi::GetIconImage(handle);
    ASSERT_NE(image, nullptr) << what;
    EXPECT_EQ(image->width, 32) << what;
    EXPECT_EQ(image->height, 32) << what;
    std::set<uint32_t> colours(image->pixels.begin(), image->pixels.end());
    EXPECT_TRUE(colours.count(0)) << what << " has no transparent pixel";
    EXPECT_GE(colours.size(), 3u) << what;
}

TEST(LoadIcon, SystemIconsAreDrawnSharedAndDistinct) {
    const std::pair<LPCSTR, const char*> icons[] = {{IDI_APPLICATION, "application"},
                                                    {IDI_ERROR, "error"},
                                                    {IDI_WARNING, "warning"},
                                                    {IDI_INFORMATION, "information"},
                                                    {IDI_QUESTION, "question"}};
    std::set<HICON> handles;
    std::set<std::vector<uint32_t>> pictures;
    for (auto [name, what] : icons) {
        HICON icon = LoadIconA(nullptr, name);
        ExpectDrawn(icon, what);
        EXPECT_EQ(LoadIconA(nullptr, name), icon) << what;
        EXPECT_TRUE(DestroyIcon(icon)) << what;
        EXPECT_NE(qv::gdi::GetIconImage(icon), nullptr) << what << " was destroyed";
        handles.insert(icon);
        pictures.insert(qv::gdi::GetIconImage(icon)->pixels);
    }
    EXPECT_EQ(handles.size(), 5u);
    EXPECT_EQ(pictures.size(), 5u);
}

TEST(LoadCursor, SystemCursorsAreSharedDistinctAndNeverDestroyed) {
    const std::pair<LPCSTR, const char*> cursors[] = {
        {IDC_ARROW, "arrow"}, {IDC_HAND, "hand"}, {IDC_IBEAM, "I-beam"},   {IDC_WAIT, "wait"},
        {IDC_CROSS, "cross"}, {IDC_NO, "no"},     {IDC_SIZEALL, "size all"}};
    std::set<HCURSOR> handles;
    for (auto [name, what] : cursors) {
        HCURSOR cursor = LoadCursorA(nullptr, name);
        ASSERT_NE(cursor, nullptr) << what;
        EXPECT_EQ(LoadCursorA(nullptr, name), cursor) << what;
        EXPECT_TRUE(DestroyIcon(cursor)) << what;
        EXPECT_NE(qv::gdi::GetIconImage(cursor), nullptr) << what << " was destroyed";
        EXPECT_NE(cursor, LoadIconA(nullptr, name)) << what << " is the icon of the same number";
        handles.insert(cursor);
    }
    EXPECT_EQ(handles.size(), 7u);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCE(1)), nullptr);
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(1)), nullptr);
}

} // namespace
