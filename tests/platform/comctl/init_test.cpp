// Registering the common controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

bool ToolTipClassRegistered() {
    WNDCLASSA wc{};
    return GetClassInfoA(nullptr, TOOLTIPS_CLASSA, &wc) != FALSE;
}

TEST(InitCommonControls, ExRejectsAMissingOrMisSizedStructure) {
    EXPECT_FALSE(InitCommonControlsEx(nullptr));
    INITCOMMONCONTROLSEX icc{sizeof icc + 1, ICC_WIN95_CLASSES};
    EXPECT_FALSE(InitCommonControlsEx(&icc));
    EXPECT_FALSE(ToolTipClassRegistered());
}

TEST(InitCommonControls, ExRegistersTheToolTipWithTheWin95Classes) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    EXPECT_TRUE(InitCommonControlsEx(&icc));
    EXPECT_TRUE(ToolTipClassRegistered());
    // Asking again is fine.
    EXPECT_TRUE(InitCommonControlsEx(&icc));
}

TEST(InitCommonControls, RegistersTheToolTipClass) {
    InitCommonControls();
    EXPECT_TRUE(ToolTipClassRegistered());
    InitCommonControls();
    EXPECT_TRUE(ToolTipClassRegistered());
}

} // namespace
