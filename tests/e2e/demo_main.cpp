// A small program for the end-to-end tests: a captioned window with two push buttons and a
// static text that counts presses of the first.
#include <windows.h>

#include <string>

namespace {

constexpr int kPress = 1;
constexpr int kOther = 2;
constexpr int kCount = 3;
int gPresses = 0;

LRESULT CALLBACK DemoProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kPress) {
            std::string text = "Pressed " + std::to_string(++gPresses);
            SetWindowTextA(GetDlgItem(hwnd, kCount), text.c_str());
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = DemoProc;
    cls.hInstance = instance;
    cls.lpszClassName = "QvDemo";
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&cls);
    HWND main = CreateWindowExA(WS_EX_APPWINDOW, "QvDemo", "QV Demo",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 40, 30, 420,
                                220, nullptr, nullptr, instance, nullptr);
    DWORD child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    CreateWindowExA(0, "Button", "&Press", child | BS_DEFPUSHBUTTON, 20, 30, 140, 28, main,
                    reinterpret_cast<HMENU>(kPress), instance, nullptr);
    CreateWindowExA(0, "Button", "&Other", child | BS_PUSHBUTTON, 20, 90, 140, 28, main,
                    reinterpret_cast<HMENU>(kOther), instance, nullptr);
    CreateWindowExA(0, "Static", "Pressed 0", WS_CHILD | WS_VISIBLE | SS_LEFT, 200, 36, 160, 16,
                    main, reinterpret_cast<HMENU>(kCount), instance, nullptr);
    SetFocus(GetDlgItem(main, kPress));
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(main, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
