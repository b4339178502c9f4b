#include "user/dialog.h"

#include "user/window.h"

#include <map>
#include <string>

using namespace qv::user;

namespace qv::user {
namespace {

std::function<void(HWND, INT_PTR)>& EndObserver() {
    static auto* observer = new std::function<void(HWND, INT_PTR)>;
    return *observer;
}

std::map<HWND, DialogInfo>& Dialogs() {
    static auto* dialogs = new std::map<HWND, DialogInfo>;
    return *dialogs;
}

void EnsureDialogClass() {
    auto lock = LockUser();
    if (FindClass("#32770"))
        return;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "#32770";
    RegisterClassA(&wc);
}

} // namespace

HFONT CreateDialogFont(const DialogTemplate& dlg, bool* owned) {
    *owned = false;
    if (!dlg.hasFont)
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    *owned = true;
    int height = -MulDiv(dlg.pointSize, 96, 72);
    return CreateFontA(height, 0, 0, 0, dlg.weight ? dlg.weight : FW_NORMAL, dlg.italic, FALSE,
                       FALSE, dlg.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, dlg.faceName.c_str());
}

void DialogBaseUnits(HFONT font, int* x, int* y) {
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(hdc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(hdc, &tm);
    SelectObject(hdc, old);
    DeleteDC(hdc);
    *x = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 6;
    *y = tm.tmHeight > 0 ? tm.tmHeight : 13;
}

namespace {

RECT ToPixels(int x, int y, int cx, int cy, int baseX, int baseY) {
    int left = MulDiv(x, baseX, 4);
    int top = MulDiv(y, baseY, 8);
    return RECT{left, top, left + MulDiv(cx, baseX, 4), top + MulDiv(cy, baseY, 8)};
}

// Where a dialog goes: centred in the work area (DS_CENTER), else at its template position
// from its owner's client area (from the screen with DS_ABSALIGN or without an owner).
POINT Place(const DialogTemplate& dlg, HWND owner, RECT frame, RECT client) {
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    if (dlg.style & DS_CENTER) {
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        return POINT{work.left + (work.right - work.left - width) / 2,
                     work.top + (work.bottom - work.top - height) / 2};
    }
    POINT origin{client.left, client.top};
    if (owner && !(dlg.style & DS_ABSALIGN))
        ClientToScreen(owner, &origin);
    return POINT{origin.x + frame.left, origin.y + frame.top};
}

std::string ItemText(const DialogItem& item) {
    return item.textOrdinal ? "#" + std::to_string(item.textOrdinal) : item.text;
}

bool IsPushButton(HWND hwnd) {
    LRESULT code = SendMessageA(hwnd, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

} // namespace

void SetEndDialogObserver(std::function<void(HWND, INT_PTR)> observer) {
    auto lock = LockUser();
    EndObserver() = std::move(observer);
}

DialogInfo* FindDialogInfo(HWND hwnd) {
    auto& dialogs = Dialogs();
    auto it = dialogs.find(hwnd);
    return it == dialogs.end() ? nullptr : &it->second;
}

HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& dlg, HWND owner,
                              DLGPROC proc, LPARAM param, bool modal) {
    EnsureDialogClass();
    if (owner)
        owner = GetAncestor(owner, GA_ROOT);
    DialogInfo info;
    info.modal = modal;
    info.font = CreateDialogFont(dlg, &info.ownsFont);
    DialogBaseUnits(info.font, &info.baseX, &info.baseY);

    DWORD style = dlg.style & ~WS_VISIBLE;
    DWORD exStyle = dlg.exStyle;
    if (dlg.style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (dlg.style & DS_CONTROL) {
        style &= ~(WS_CAPTION | WS_SYSMENU);
        exStyle |= WS_EX_CONTROLPARENT;
    }
    RECT client = ToPixels(dlg.x, dlg.y, dlg.cx, dlg.cy, info.baseX, info.baseY);
    RECT frame{0, 0, client.right - client.left, client.bottom - client.top};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    POINT at = Place(dlg, (style & WS_CHILD) ? nullptr : owner, frame, client);
    if (style & WS_CHILD)
        at = POINT{client.left + frame.left, client.top + frame.top};
    const char* className = dlg.className.empty() ? "#32770" : dlg.className.c_str();
    HWND hwnd = CreateWindowExA(exStyle, className, dlg.caption.c_str(), style, at.x, at.y,
                                frame.right - frame.left, frame.bottom - frame.top, owner,
                                nullptr, instance, reinterpret_cast<LPVOID>(param));
    if (!hwnd) {
        if (info.ownsFont)
            DeleteObject(info.font);
        return nullptr;
    }
    {
        auto lock = LockUser();
        Dialogs()[hwnd] = info;
    }
    SetWindowLongPtrA(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    if (dlg.hasFont)
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(info.font), FALSE);

    for (const DialogItem& item : dlg.items) {
        RECT r = ToPixels(item.x, item.y, item.cx, item.cy, info.baseX, info.baseY);
        std::string text = ItemText(item);
        const void* data = item.creationData.empty() ? nullptr : item.creationData.data();
        HWND control = CreateWindowExA(
            item.exStyle | WS_EX_NOPARENTNOTIFY, item.className.c_str(), text.c_str(),
            item.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, const_cast<void*>(data));
        if (!control) {
            if (dlg.style & DS_NOFAILCREATE)
                continue;
            DestroyWindow(hwnd);
            return nullptr;
        }
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(info.font), FALSE);
        if ((item.style & 0xF) == BS_DEFPUSHBUTTON && item.className.size() &&
            (item.className == "BUTTON" || item.className == "Button")) {
            auto lock = LockUser();
            if (DialogInfo* d = FindDialogInfo(hwnd); d && !d->defaultId)
                d->defaultId = static_cast<WORD>(item.id);
        }
    }

    HWND first = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    if (SendMessageA(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && IsWindow(hwnd)) {
        HWND focus = GetNextDlgTabItem(hwnd, nullptr, FALSE);
        if (focus)
            SetDialogFocus(hwnd, focus);
    }
    if (!IsWindow(hwnd))
        return nullptr;
    bool ended;
    {
        auto lock = LockUser();
        DialogInfo* d = FindDialogInfo(hwnd);
        ended = d && d->ended;
    }
    if ((dlg.style & WS_VISIBLE) && !ended) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        UpdateWindow(hwnd);
    }
    return hwnd;
}

INT_PTR RunModalDialog(HWND dialog, HWND owner) {
    auto ended = [dialog] {
        auto lock = LockUser();
        DialogInfo* d = FindDialogInfo(dialog);
        return !d || d->ended;
    };
    if (!ended() && !IsWindowVisible(dialog))
        ShowWindow(dialog, SW_SHOWNORMAL);
    MSG msg;
    while (!ended()) {
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            // A quit message ends the dialog and goes on to the enclosing loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    INT_PTR result = -1;
    {
        auto lock = LockUser();
        if (DialogInfo* d = FindDialogInfo(dialog); d && d->ended)
            result = d->result;
    }
    if (owner && IsWindow(owner))
        EnableWindow(owner, TRUE);
    DestroyWindow(dialog);
    return result;
}

void SetDialogFocus(HWND dialog, HWND control) {
    if (!control)
        return;
    WORD defaultId = 0;
    {
        auto lock = LockUser();
        if (DialogInfo* d = FindDialogInfo(dialog))
            defaultId = d->defaultId;
    }
    HWND old = GetFocus();
    bool toButton = IsPushButton(control);
    // The default frame moves to a focused push button and back to the default one after.
    if (old && old != control && IsChild(dialog, old) && IsPushButton(old))
        SendMessageA(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (toButton) {
        HWND def = defaultId ? GetDlgItem(dialog, defaultId) : nullptr;
        if (def && def != control)
            SendMessageA(def, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        SendMessageA(control, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    } else if (defaultId) {
        if (HWND def = GetDlgItem(dialog, defaultId))
            SendMessageA(def, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
    SetFocus(control);
    if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageA(control, EM_SETSEL, 0, -1);
}

} // namespace qv::user

namespace {

bool IsDialogResultMessage(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

LRESULT DefaultDialogProcessing(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        HDC hdc = reinterpret_cast<HDC>(wParam);
        auto brush = reinterpret_cast<HBRUSH>(
            SendMessageA(hwnd, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hwnd)));
        if (!brush)
            brush = GetSysColorBrush(COLOR_BTNFACE);
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(hdc, &r, brush);
        return 1;
    }
    case WM_CLOSE: {
        HWND cancel = GetDlgItem(hwnd, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) {
            MessageBeep(0);
            return 0;
        }
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_ACTIVATE: {
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            auto lock = LockUser();
            if (DialogInfo* d = FindDialogInfo(hwnd); d && focus && IsChild(hwnd, focus))
                d->savedFocus = focus;
            return 0;
        }
        [[fallthrough]];
    }
    case WM_SETFOCUS: {
        HWND saved;
        {
            auto lock = LockUser();
            DialogInfo* d = FindDialogInfo(hwnd);
            saved = d ? d->savedFocus : nullptr;
        }
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus))
            return 0;
        if (!saved || !IsWindow(saved) || !IsChild(hwnd, saved))
            saved = GetNextDlgTabItem(hwnd, nullptr, FALSE);
        if (saved)
            SetDialogFocus(hwnd, saved);
        return 0;
    }
    case WM_NEXTDLGCTL: {
        HWND target;
        if (LOWORD(lParam))
            target = reinterpret_cast<HWND>(wParam);
        else
            target = GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
        SetDialogFocus(hwnd, target);
        return 0;
    }
    case DM_GETDEFID: {
        auto lock = LockUser();
        DialogInfo* d = FindDialogInfo(hwnd);
        return d && d->defaultId ? MAKELRESULT(d->defaultId, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID: {
        WORD old;
        {
            auto lock = LockUser();
            DialogInfo* d = FindDialogInfo(hwnd);
            if (!d)
                return FALSE;
            old = d->defaultId;
            d->defaultId = static_cast<WORD>(wParam);
        }
        if (HWND previous = old ? GetDlgItem(hwnd, old) : nullptr)
            SendMessageA(previous, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        if (HWND next = GetDlgItem(hwnd, static_cast<int>(wParam)))
            SendMessageA(next, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        return TRUE;
    }
    case WM_GETFONT: {
        auto lock = LockUser();
        DialogInfo* d = FindDialogInfo(hwnd);
        return d ? reinterpret_cast<LRESULT>(d->font) : 0;
    }
    case WM_NCDESTROY: {
        HFONT font = nullptr;
        {
            auto lock = LockUser();
            if (DialogInfo* d = FindDialogInfo(hwnd)) {
                if (d->ownsFont)
                    font = d->font;
                Dialogs().erase(hwnd);
            }
        }
        if (font)
            DeleteObject(font);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace

LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hDlg, DWLP_DLGPROC));
    if (proc) {
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0);
        INT_PTR handled = proc(hDlg, Msg, wParam, lParam);
        if (handled || !IsWindow(hDlg))
            return IsDialogResultMessage(Msg) || !IsWindow(hDlg)
                       ? handled
                       : GetWindowLongPtrA(hDlg, DWLP_MSGRESULT);
    }
    return DefaultDialogProcessing(hDlg, Msg, wParam, lParam);
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
    HWND owner = nullptr;
    bool modal;
    std::function<void(HWND, INT_PTR)> observer;
    {
        auto lock = LockUser();
        observer = EndObserver();
        DialogInfo* d = FindDialogInfo(hDlg);
        if (!d) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        d->ended = true;
        d->result = nResult;
        modal = d->modal;
        if (Window* w = FindWindowObject(hDlg))
            owner = w->owner;
    }
    if (observer)
        observer(hDlg, nResult);
    // The owner takes input again before the dialog goes, so that it becomes the active one.
    if (modal && owner)
        EnableWindow(owner, TRUE);
    ShowWindow(hDlg, SW_HIDE);
    PostMessageA(hDlg, WM_NULL, 0, 0);
    return TRUE;
}

namespace {

std::optional<DialogTemplate> LoadTemplate(HINSTANCE instance, LPCSTR name) {
    HRSRC info = FindResourceA(instance, name, RT_DIALOG);
    HGLOBAL data = info ? LoadResource(instance, info) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes)
        return std::nullopt;
    auto parsed = ParseDialogTemplate(bytes, SizeofResource(instance, info));
    if (!parsed)
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return parsed;
}

INT_PTR RunModal(HINSTANCE instance, const std::optional<DialogTemplate>& dlg, HWND parent,
                 DLGPROC proc, LPARAM param) {
    if (!dlg)
        return -1;
    HWND owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
    bool disabled = owner && IsWindowEnabled(owner);
    if (disabled)
        EnableWindow(owner, FALSE);
    HWND hwnd = CreateDialogFromTemplate(instance, *dlg, owner, proc, param, true);
    if (!hwnd) {
        if (disabled)
            EnableWindow(owner, TRUE);
        return -1;
    }
    return RunModalDialog(hwnd, disabled ? owner : nullptr);
}

} // namespace

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    return RunModal(hInstance, LoadTemplate(hInstance, lpTemplateName), hWndParent, lpDialogFunc,
                    dwInitParam);
}

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA hDialogTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    if (!hDialogTemplate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    return RunModal(hInstance, ParseDialogTemplate(hDialogTemplate, SIZE_MAX), hWndParent,
                    lpDialogFunc, dwInitParam);
}

HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    auto dlg = LoadTemplate(hInstance, lpTemplateName);
    return dlg ? CreateDialogFromTemplate(hInstance, *dlg, hWndParent, lpDialogFunc, dwInitParam, false)
               : nullptr;
}

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    if (!lpTemplate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto dlg = ParseDialogTemplate(lpTemplate, SIZE_MAX);
    if (!dlg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateDialogFromTemplate(hInstance, *dlg, hWndParent, lpDialogFunc, dwInitParam, false);
}
