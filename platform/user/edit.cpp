// The "Edit" class, single-line: text with a caret and a selection, typing and the editing
// keys, horizontal scrolling, the text limit, and EN_UPDATE/EN_CHANGE to the parent.
#include "user/control_paint.h"
#include "user/system_classes.h"

#include <algorithm>
#include <windowsx.h>

// The edit messages and notifications the window manager's headers do not declare yet.

using namespace qv::user::controls;

namespace {

constexpr size_t kDefaultLimit = 0x7FFFFFFE;
constexpr int kMargin = 1;

struct Edit {
    size_t anchor = 0; // the selection runs from the anchor to the caret
    size_t caret = 0;
    size_t first = 0; // the first character shown
    size_t limit = kDefaultLimit;
    bool focused = false;
    bool selecting = false;
    HFONT font = nullptr;
};

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

int TextWidth(const Edit& e, const std::string& text) {
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(hdc, FontOrDefault(e.font));
    SIZE size{};
    GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(hdc, old);
    DeleteDC(hdc);
    return size.cx;
}

int VisibleWidth(HWND hwnd) {
    RECT r = ClientRect(hwnd);
    return std::max<int>(0, r.right - r.left - 2 * kMargin);
}

// Scrolls by whole characters so that the caret stays in view.
void KeepCaretVisible(HWND hwnd, Edit& e) {
    const std::string text = WindowText(hwnd);
    e.caret = std::min(e.caret, text.size());
    e.anchor = std::min(e.anchor, text.size());
    if (e.first > e.caret)
        e.first = e.caret;
    const int width = VisibleWidth(hwnd);
    while (e.first < e.caret && TextWidth(e, text.substr(e.first, e.caret - e.first)) > width)
        ++e.first;
}

void SetText(HWND hwnd, const std::string& text) {
    DefWindowProcA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Changed(HWND hwnd, Edit& e) {
    KeepCaretVisible(hwnd, e);
    Notify(hwnd, EN_UPDATE);
    Redraw(hwnd);
    Notify(hwnd, EN_CHANGE);
}

// Puts the typed or pasted text in place of the selection, within the limit and, without
// ES_AUTOHSCROLL, within the width of the field.
bool ReplaceSelection(HWND hwnd, Edit& e, std::string insert) {
    std::string text = WindowText(hwnd);
    size_t begin = std::min(e.anchor, e.caret);
    size_t end = std::max(e.anchor, e.caret);
    size_t room =
        e.limit > text.size() - (end - begin) ? e.limit - (text.size() - (end - begin)) : 0;
    if (insert.size() > room) {
        insert.resize(room);
        Notify(hwnd, EN_MAXTEXT);
    }
    std::string next = text.substr(0, begin) + insert + text.substr(end);
    if (!(StyleOf(hwnd) & ES_AUTOHSCROLL) && !insert.empty() &&
        TextWidth(e, next) > VisibleWidth(hwnd))
        return false;
    if (next == text && begin == end)
        return false;
    SetText(hwnd, next);
    e.caret = e.anchor = begin + insert.size();
    Changed(hwnd, e);
    return true;
}

void MoveCaret(HWND hwnd, Edit& e, size_t to, bool extend) {
    e.caret = to;
    if (!extend)
        e.anchor = to;
    KeepCaretVisible(hwnd, e);
    Redraw(hwnd);
}

// The character boundary nearest to a point of the client area.
size_t PositionAt(HWND hwnd, const Edit& e, int x) {
    const std::string text = WindowText(hwnd);
    size_t best = e.first;
    int bestDistance = std::abs(x - kMargin);
    for (size_t i = e.first + 1; i <= text.size(); ++i) {
        int distance = std::abs(x - kMargin - TextWidth(e, text.substr(e.first, i - e.first)));
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void KeyDown(HWND hwnd, Edit& e, WPARAM key) {
    const std::string text = WindowText(hwnd);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_LEFT:
        if (!shift && e.anchor != e.caret)
            MoveCaret(hwnd, e, std::min(e.anchor, e.caret), false);
        else
            MoveCaret(hwnd, e, e.caret > 0 ? e.caret - 1 : 0, shift);
        break;
    case VK_RIGHT:
        if (!shift && e.anchor != e.caret)
            MoveCaret(hwnd, e, std::max(e.anchor, e.caret), false);
        else
            MoveCaret(hwnd, e, std::min(e.caret + 1, text.size()), shift);
        break;
    case VK_HOME:
        MoveCaret(hwnd, e, 0, shift);
        break;
    case VK_END:
        MoveCaret(hwnd, e, text.size(), shift);
        break;
    case VK_DELETE:
        if (StyleOf(hwnd) & ES_READONLY)
            break;
        if (e.anchor == e.caret && e.caret < text.size())
            e.anchor = e.caret + 1;
        ReplaceSelection(hwnd, e, "");
        break;
    default:
        break;
    }
}

void Char(HWND hwnd, Edit& e, char ch) {
    if (StyleOf(hwnd) & ES_READONLY)
        return;
    if (ch == '\b') {
        if (e.anchor == e.caret && e.caret > 0)
            e.anchor = e.caret - 1;
        ReplaceSelection(hwnd, e, "");
        return;
    }
    if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F)
        return;
    ReplaceSelection(hwnd, e, std::string(1, ch));
}

// Draws a piece of the line at x and returns where the next piece starts.
int DrawPiece(HDC hdc, const std::string& piece, int x, const RECT& r) {
    if (piece.empty())
        return x;
    RECT cell{x, r.top, r.right, r.bottom};
    DrawTextA(hdc, piece.c_str(), static_cast<int>(piece.size()), &cell,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SIZE size{};
    GetTextExtentPoint32A(hdc, piece.c_str(), static_cast<int>(piece.size()), &size);
    return x + size.cx;
}

void Paint(HWND hwnd, Edit& e) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc)
        return;
    const DWORD style = StyleOf(hwnd);
    const bool enabled = !(style & WS_DISABLED);
    RECT r = ClientRect(hwnd);
    HGDIOBJ oldFont = SelectObject(hdc, FontOrDefault(e.font));
    // Read-only and disabled fields take static colours, as on Windows.
    UINT message = (style & ES_READONLY) || !enabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    HBRUSH brush = ParentColours(hwnd, GetParent(hwnd), message, hdc);
    FillBackground(hdc, r, brush);
    if (!enabled)
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    const std::string text = WindowText(hwnd);
    const size_t first = std::min(e.first, text.size());
    size_t begin = std::clamp(std::min(e.anchor, e.caret), first, text.size());
    size_t end = std::clamp(std::max(e.anchor, e.caret), first, text.size());
    RECT line = r;
    line.left += kMargin;
    line.right -= kMargin;
    int x = DrawPiece(hdc, text.substr(first, begin - first), line.left, line);
    if (e.focused && end > begin) {
        COLORREF ink = SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        COLORREF paper = SetBkColor(hdc, GetSysColor(COLOR_HIGHLIGHT));
        int mode = SetBkMode(hdc, OPAQUE);
        x = DrawPiece(hdc, text.substr(begin, end - begin), x, line);
        SetBkMode(hdc, mode);
        SetBkColor(hdc, paper);
        SetTextColor(hdc, ink);
    } else {
        x = DrawPiece(hdc, text.substr(begin, end - begin), x, line);
    }
    DrawPiece(hdc, text.substr(end), x, line);
    if (e.focused && e.anchor == e.caret) {
        SIZE before{};
        GetTextExtentPoint32A(hdc, text.c_str() + first, static_cast<int>(e.caret - first),
                              &before);
        int height = LineHeight(e.font);
        int top = (r.top + r.bottom - height) / 2;
        RECT caret{line.left + before.cx, top, line.left + before.cx + 1, top + height};
        FillRect(hdc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    SelectObject(hdc, oldFont);
    EndPaint(hwnd, &ps);
}

// EM_SETSEL: -1 as the start removes the selection; an end of -1 means the end of the text.
void SetSelection(HWND hwnd, Edit& e, WPARAM start, LPARAM end) {
    const size_t length = WindowText(hwnd).size();
    auto start_ = static_cast<long long>(static_cast<int>(start));
    auto end_ = static_cast<long long>(static_cast<int>(end));
    if (start_ == -1) {
        e.anchor = e.caret;
    } else {
        e.anchor = start_ < 0 ? length : std::min<size_t>(static_cast<size_t>(start_), length);
        e.caret = end_ < 0 ? length : std::min<size_t>(static_cast<size_t>(end_), length);
    }
    KeepCaretVisible(hwnd, e);
    Redraw(hwnd);
}

} // namespace

namespace qv::user {

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Edit* e = ControlState<Edit>(hwnd, message);
    if (!e)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    // The field of a combo box leaves the list keys to the combo box.
    HWND parent = GetParent(hwnd);
    char parentClass[16] = "";
    if (parent)
        GetClassNameA(parent, parentClass, sizeof parentClass);
    const bool inCombo = lstrcmpiA(parentClass, "ComboBox") == 0;
    switch (message) {
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        return inCombo ? code | SendMessageA(parent, WM_GETDLGCODE, wParam, lParam) : code;
    }
    case WM_PAINT:
        Paint(hwnd, *e);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        e->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            Redraw(hwnd);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(e->font);
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lParam);
        std::string value = text ? text : "";
        if (value.size() > e->limit)
            value.resize(e->limit);
        SetText(hwnd, value);
        e->anchor = e->caret = e->first = 0;
        Changed(hwnd, *e);
        return TRUE;
    }
    case WM_ENABLE:
        Redraw(hwnd);
        return 0;
    case WM_SETFOCUS:
        e->focused = true;
        Redraw(hwnd);
        Notify(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        e->focused = false;
        Redraw(hwnd);
        Notify(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN:
        if (inCombo &&
            (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_F4 || wParam == VK_PRIOR ||
             wParam == VK_NEXT || wParam == VK_RETURN || wParam == VK_ESCAPE)) {
            SendMessageA(parent, message, wParam, lParam);
            return 0;
        }
        KeyDown(hwnd, *e, wParam);
        return 0;
    case WM_SYSKEYDOWN:
        if (inCombo && (wParam == VK_UP || wParam == VK_DOWN))
            return SendMessageA(parent, message, wParam, lParam);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_CHAR:
        if (inCombo && (wParam == VK_RETURN || wParam == VK_ESCAPE))
            return 0;
        Char(hwnd, *e, static_cast<char>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        SetCapture(hwnd);
        e->selecting = true;
        MoveCaret(hwnd, *e, PositionAt(hwnd, *e, GET_X_LPARAM(lParam)), GetKeyState(VK_SHIFT) < 0);
        return 0;
    case WM_MOUSEMOVE:
        if (e->selecting)
            MoveCaret(hwnd, *e, PositionAt(hwnd, *e, GET_X_LPARAM(lParam)), true);
        return 0;
    case WM_LBUTTONUP:
        if (e->selecting) {
            e->selecting = false;
            if (GetCapture() == hwnd)
                ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        e->selecting = false;
        return 0;
    case EM_GETSEL: {
        DWORD begin = static_cast<DWORD>(std::min(e->anchor, e->caret));
        DWORD end = static_cast<DWORD>(std::max(e->anchor, e->caret));
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = begin;
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = end;
        return MAKELONG(std::min<DWORD>(begin, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
    }
    case EM_SETSEL:
        SetSelection(hwnd, *e, wParam, lParam);
        return 0;
    case EM_REPLACESEL: {
        const char* text = reinterpret_cast<const char*>(lParam);
        ReplaceSelection(hwnd, *e, text ? text : "");
        return 0;
    }
    case EM_LIMITTEXT:
        e->limit = wParam ? static_cast<size_t>(wParam) : kDefaultLimit;
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(e->limit);
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace qv::user
