// The program's resource script: the dialogs, string, icon, version and manifest the program
// and its framework rely on.
#include "res/resource.h"

#include "gdi/icon.h"
#include "user/dialog_template.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::optional<qv::user::DialogTemplate> LoadDialog(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(id), RT_DIALOG);
    if (found == nullptr) {
        return std::nullopt;
    }
    return qv::user::ParseDialogTemplate(LockResource(LoadResource(nullptr, found)),
                                         SizeofResource(nullptr, found));
}

struct Control {
    int id;
    const char* className;
    DWORD style; // without the WS_CHILD | WS_VISIBLE every control has
    short x, y, cx, cy;
    const char* text;
};

void ExpectControls(const qv::user::DialogTemplate& dialog, const std::vector<Control>& expected) {
    ASSERT_EQ(dialog.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Control& e = expected[i];
        const qv::user::DialogItem& item = dialog.items[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + " (id " + std::to_string(e.id) + ")");
        EXPECT_EQ(item.id, e.id);
        EXPECT_EQ(item.className, e.className);
        EXPECT_EQ(item.style, e.style | WS_CHILD | WS_VISIBLE)
            << std::hex << item.style << " instead of " << (e.style | WS_CHILD | WS_VISIBLE);
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(item.x, e.x);
        EXPECT_EQ(item.y, e.y);
        EXPECT_EQ(item.cx, e.cx);
        EXPECT_EQ(item.cy, e.cy);
        EXPECT_EQ(item.text, e.text);
    }
}

void ExpectShellFont(const qv::user::DialogTemplate& dialog) {
    EXPECT_TRUE(dialog.extended);
    ASSERT_TRUE(dialog.hasFont);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.weight, 0);
    EXPECT_EQ(dialog.italic, 0);
    EXPECT_EQ(dialog.charset, 1);
    EXPECT_EQ(dialog.faceName, "MS Shell Dlg");
}

TEST(ProductResources, MainWindowTemplate) {
    auto dialog = LoadDialog(IDD_QUORVA_DIALOG);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->style, DWORD(DS_SETFONT | DS_MODALFRAME | DS_FIXEDSYS | DS_CENTER | WS_POPUP |
                                   WS_VISIBLE | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(dialog->exStyle, DWORD(WS_EX_APPWINDOW | WS_EX_CLIENTEDGE));
    EXPECT_EQ(dialog->cx, 359);
    EXPECT_EQ(dialog->cy, 178);
    EXPECT_EQ(dialog->caption, "Quorva Velocitor");
    EXPECT_EQ(dialog->menuOrdinal, 0);
    EXPECT_TRUE(dialog->menu.empty());
    ExpectShellFont(*dialog);

    const DWORD label = SS_LEFT | WS_GROUP;
    const DWORD field = SS_LEFT | SS_SUNKEN | WS_GROUP;
    const DWORD button = BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP;
    ExpectControls(*dialog,
                   {
                       {1001, "BUTTON", BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_MULTILINE | BS_LEFTTEXT | WS_TABSTOP,
                        12, 10, 150, 33, "ACCELLERATE!"},
                       {3, "BUTTON", button, 18, 54, 138, 24, "&Run your Quorva"},
                       {2, "BUTTON", button, 18, 90, 138, 24, "&Minimize to Tray"},
                       {1007, "BUTTON", button, 18, 126, 138, 24, "&Quit Application"},
                       {-1, "STATIC", label, 180, 66, 55, 8, "Connected Time:"},
                       {-1, "STATIC", label, 12, 162, 60, 8, "Network Interface"},
                       {-1, "STATIC", label, 180, 90, 66, 8, "Total Bytes Sent:"},
                       {-1, "STATIC", label, 180, 114, 72, 8, "Total Bytes Received:"},
                       {1009, "STATIC", field, 252, 66, 84, 10, "Static"},
                       {1011, "STATIC", field, 252, 114, 84, 10, "Static"},
                       {1012, "STATIC", field, 252, 90, 84, 10, "Static"},
                       {1015, "STATIC", field, 252, 42, 84, 10, "Status"},
                       {-1, "STATIC", label, 180, 42, 62, 8, "Connection Status:"},
                       {1016, "STATIC", field, 252, 18, 84, 10, "Status"},
                       {1017, "STATIC", label, 180, 18, 58, 8, "Connection Type:"},
                       {-1, "BUTTON", BS_GROUPBOX | BS_FLAT, 168, 6, 180, 150, ""},
                       {-1, "STATIC", label, 180, 138, 66, 8, "Accelerated mode:"},
                       {1022, "STATIC", field, 252, 138, 84, 10, "Static"},
                       {-1, "BUTTON", BS_GROUPBOX, 12, 42, 150, 114, ""},
                       {1024, "COMBOBOX", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 90, 160, 258, 85, ""},
                   });
}

TEST(ProductResources, AboutBoxTemplate) {
    auto dialog = LoadDialog(IDD_ABOUTBOX);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->style, DWORD(DS_SETFONT | DS_MODALFRAME | DS_FIXEDSYS | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(dialog->exStyle, DWORD(WS_EX_TOPMOST | WS_EX_CLIENTEDGE));
    EXPECT_EQ(dialog->cx, 211);
    EXPECT_EQ(dialog->cy, 76);
    EXPECT_EQ(dialog->caption, "Quorva Velocitor");
    ExpectShellFont(*dialog);
    ExpectControls(*dialog, {
                                {IDOK, "BUTTON", BS_PUSHBUTTON | BS_CENTER | WS_GROUP | WS_TABSTOP, 12, 48, 192, 18, "&OK"},
                                {-1, "STATIC", SS_CENTER | SS_CENTERIMAGE | WS_GROUP, 42, 12, 162, 10,
                                 "Quorva Velocitor 5.3.0"},
                                {128, "STATIC", SS_ICON, 12, 14, 20, 20, ""},
                            });
    EXPECT_EQ(dialog->items[2].textOrdinal, 128) << "the picture is icon 128";
}

TEST(ProductResources, AboutStringReadsBack) {
    char text[64];
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text), 26);
    EXPECT_STREQ(text, "&About Quorva Velocitor...");
}

TEST(ProductResources, ApplicationIconIsThirtyTwoPixelsWithTransparency) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(IDR_MAINFRAME));
    ASSERT_NE(icon, nullptr);
    const qv::gdi::IconImage* image = qv::gdi::GetIconImage(icon);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->height, 32);
    EXPECT_EQ(image->pixels[0] >> 24, 0u) << "the corner is transparent";
    EXPECT_EQ(image->pixels[16 * 32 + 10], 0xFF1E5AC8u) << "the ring of the Q is blue";
}

std::string ResourceText(LPCSTR type, int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(id), type);
    if (found == nullptr) {
        return {};
    }
    return {static_cast<const char*>(LockResource(LoadResource(nullptr, found))), SizeofResource(nullptr, found)};
}

TEST(ProductResources, ManifestAsksForNoElevation) {
    std::string manifest = ResourceText(RT_MANIFEST, 1);
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos)
        << manifest;
    EXPECT_LT(manifest.find("<trustInfo"), manifest.find("<requestedPrivileges>"));
}

TEST(ProductResources, VersionIsFiveThree) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(1), RT_VERSION);
    ASSERT_NE(found, nullptr);
    auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    DWORD size = SizeofResource(nullptr, found);
    // VS_FIXEDFILEINFO follows the root block's header and "VS_VERSION_INFO", DWORD-aligned.
    const DWORD fixedOffset = 6 + 16 * 2 + 2;
    ASSERT_GT(size, fixedOffset + 16);
    DWORD signature, versionMs, versionLs;
    std::memcpy(&signature, data + fixedOffset, 4);
    std::memcpy(&versionMs, data + fixedOffset + 8, 4);
    std::memcpy(&versionLs, data + fixedOffset + 12, 4);
    EXPECT_EQ(signature, 0xFEEF04BDu);
    EXPECT_EQ(versionMs, 0x00050003u);
    EXPECT_EQ(versionLs, 0u);

    std::u16string text;
    for (DWORD i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    }
    for (const char16_t* expected : {u"040904b0", u"ProductName", u"Quorva Velocitor", u"5.3.0"}) {
        EXPECT_NE(text.find(expected), std::u16string::npos);
    }
}

} // namespace
