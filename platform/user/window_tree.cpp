#include "user/window_tree.h"

#include "user/paint_state.h"
#include "user/window.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

using namespace qv::user;

namespace qv::user {

void LinkWindow(Window& w, HWND insertAfter) {
    Window* parent = FindWindowObject(w.parent);
    if (!parent)
        return;
    auto& siblings = parent->children;
    std::erase(siblings, w.handle);
    auto isTopmost = [](HWND h) {
        Window* s = FindWindowObject(h);
        return s && (s->exStyle & WS_EX_TOPMOST);
    };
    auto pos = siblings.end();
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        pos = siblings.begin();
        if (!(w.exStyle & WS_EX_TOPMOST))
            pos = std::find_if_not(siblings.begin(), siblings.end(), isTopmost);
    } else if (insertAfter != HWND_BOTTOM) {
        auto it = std::find(siblings.begin(), siblings.end(), insertAfter);
        if (it != siblings.end())
            pos = it + 1;
    }
    siblings.insert(pos, w.handle);
}

void UnlinkWindow(Window& w) {
    if (Window* parent = FindWindowObject(w.parent))
        std::erase(parent->children, w.handle);
}

namespace {

Window* ChildAt(Window& parent, POINT screen) {
    for (HWND h : parent.children) {
        Window* c = FindWindowObject(h);
        if (!c || !(c->style & WS_VISIBLE))
            continue;
        RECT r = ScreenRect(*c);
        if (!PtInRect(&r, screen))
            continue;
        if (c->style & WS_DISABLED)
            return c;
        RECT clientRect = ClientScreenRect(*c);
        if (PtInRect(&clientRect, screen)) {
            if (Window* inner = ChildAt(*c, screen))
                return inner;
        }
        return c;
    }
    return nullptr;
}

} // namespace

Window* WindowAtPoint(POINT screen) {
    Window* desktop = FindWindowObject(State().desktop);
    return desktop ? ChildAt(*desktop, screen) : nullptr;
}

} // namespace qv::user

HWND WINAPI GetDesktopWindow(void) {
    auto lock = LockUser();
    return State().desktop;
}

BOOL WINAPI IsWindow(HWND hWnd) {
    auto lock = LockUser();
    Window* w = FindWindowObject(hWnd);
    return w != nullptr;
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
    auto lock = LockUser();
    Window* w = FindWindowObject(hWnd);
    // Only the chain of WS_CHILD windows counts, as on Windows.
    while (w && (w->style & WS_CHILD)) {
        if (w->parent == hWndParent)
            return TRUE;
        w = FindWindowObject(w->parent);
    }
    return FALSE;
}

HWND WINAPI GetParent(HWND hWnd) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w)
        return nullptr;
    if (w->style & WS_CHILD)
        return w->parent;
    if (w->style & WS_POPUP)
        return w->owner;
    return nullptr;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT gaFlags) {
    auto lock = LockUser();
    Window* w = CheckWindow(hwnd);
    if (!w || hwnd == State().desktop)
        return nullptr;
    switch (gaFlags) {
    case GA_PARENT:
        return w->parent;
    case GA_ROOT:
        return RootOf(w)->handle;
    case GA_ROOTOWNER: {
        Window* root = RootOf(w);
        while (Window* owner = FindWindowObject(root->owner))
            root = RootOf(owner);
        return root->handle;
    }
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND WINAPI SetParent(HWND hWndChild, HWND hWndNewParent) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWndChild);
    if (!w)
        return nullptr;
    HWND newParent = hWndNewParent ? hWndNewParent : State().desktop;
    Window* parent = CheckWindow(newParent);
    if (!parent || hWndChild == State().desktop)
        return nullptr;
    for (Window* a = parent; a; a = FindWindowObject(a->parent)) {
        if (a == w) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
    }
    HWND old = w->parent;
    bool wasTop = IsTopLevel(*w);
    UnlinkWindow(*w);
    w->parent = newParent;
    LinkWindow(*w, HWND_TOP);
    if (wasTop && !IsTopLevel(*w))
        w->surface.reset();
    if (Window* oldParent = FindWindowObject(old); oldParent && (w->style & WS_VISIBLE))
        Invalidate(*oldParent, nullptr, true, false, true);
    if (w->style & WS_VISIBLE)
        Invalidate(*w, nullptr, true, true, true);
    return old == State().desktop ? GetDesktopWindow() : old;
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w)
        return nullptr;
    if (uCmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    if (uCmd == GW_OWNER)
        return w->owner;
    Window* parent = FindWindowObject(w->parent);
    if (!parent)
        return nullptr;
    auto& siblings = parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), hWnd);
    switch (uCmd) {
    case GW_HWNDFIRST:
        return siblings.front();
    case GW_HWNDLAST:
        return siblings.back();
    case GW_HWNDNEXT:
        return it + 1 < siblings.end() ? *(it + 1) : nullptr;
    case GW_HWNDPREV:
        return it > siblings.begin() ? *(it - 1) : nullptr;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND WINAPI GetTopWindow(HWND hWnd) { return GetWindow(hWnd ? hWnd : GetDesktopWindow(), GW_CHILD); }

namespace {

bool NameMatches(const std::string& actual, LPCSTR wanted) {
    return !wanted || strcmp(actual.c_str(), wanted) == 0;
}

} // namespace

HWND WINAPI FindWindowExA(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass,
                          LPCSTR lpszWindow) {
    auto lock = LockUser();
    Window* parent = CheckWindow(hWndParent ? hWndParent : State().desktop);
    if (!parent)
        return nullptr;
    auto& children = parent->children;
    auto it = children.begin();
    if (hWndChildAfter) {
        it = std::find(children.begin(), children.end(), hWndChildAfter);
        if (it == children.end())
            return nullptr;
        ++it;
    }
    for (; it != children.end(); ++it) {
        Window* c = FindWindowObject(*it);
        if (!c)
            continue;
        bool classOk = !lpszClass || (IS_INTRESOURCE(lpszClass) ? c->cls->atom == LOWORD(lpszClass)
                                                                : strcasecmp(c->cls->name.c_str(), lpszClass) == 0);
        if (classOk && NameMatches(c->text, lpszWindow))
            return c->handle;
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
    return FindWindowExA(nullptr, nullptr, lpClassName, lpWindowName);
}

namespace {

void Collect(Window& w, std::vector<HWND>& out) {
    for (HWND h : w.children) {
        out.push_back(h);
        if (Window* c = FindWindowObject(h))
            Collect(*c, out);
    }
}

} // namespace

BOOL WINAPI EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    std::vector<HWND> all;
    {
        auto lock = LockUser();
        Window* parent = hWndParent ? CheckWindow(hWndParent) : FindWindowObject(State().desktop);
        if (!parent || !lpEnumFunc)
            return FALSE;
        Collect(*parent, all);
    }
    for (HWND h : all) {
        if (!IsWindow(h))
            continue;
        if (!lpEnumFunc(h, lParam))
            break;
    }
    return TRUE;
}

BOOL WINAPI EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    std::vector<HWND> tops;
    {
        auto lock = LockUser();
        if (!lpEnumFunc)
            return FALSE;
        tops = FindWindowObject(State().desktop)->children;
    }
    for (HWND h : tops) {
        if (IsWindow(h) && !lpEnumFunc(h, lParam))
            return FALSE;
    }
    return TRUE;
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w)
        return 0;
    if (lpdwProcessId)
        *lpdwProcessId = GetCurrentProcessId();
    return w->threadId;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
    auto lock = LockUser();
    Window* dlg = CheckWindow(hDlg);
    if (!dlg)
        return nullptr;
    for (HWND h : dlg->children) {
        Window* c = FindWindowObject(h);
        if (c && (c->style & WS_CHILD) && static_cast<int>(c->id) == nIDDlgItem)
            return h;
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w || !(w->style & WS_CHILD))
        return 0;
    return static_cast<int>(w->id);
}

HWND WINAPI WindowFromPoint(POINT Point) {
    auto lock = LockUser();
    Window* w = WindowAtPoint(Point);
    return w ? w->handle : nullptr;
}

HWND WINAPI ChildWindowFromPoint(HWND hWndParent, POINT Point) {
    auto lock = LockUser();
    Window* parent = CheckWindow(hWndParent);
    if (!parent)
        return nullptr;
    RECT client{0, 0, parent->client.right - parent->client.left,
                parent->client.bottom - parent->client.top};
    if (!PtInRect(&client, Point))
        return nullptr;
    for (HWND h : parent->children) {
        Window* c = FindWindowObject(h);
        if (c && PtInRect(&c->rect, Point))
            return h;
    }
    return hWndParent;
}
