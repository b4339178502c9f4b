#include "framework/CWnd.h"

#include "framework/CWinApp.h"
#include "framework/WndCreateHook.h"

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <windows.h>

namespace {

// The windows of this thread that have objects: attached ones, and temporary wrappers made for
// other handles.
struct HandleMaps {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
};

HandleMaps& Maps() {
    // Never destroyed: static objects may still destroy their windows when the process ends.
    thread_local HandleMaps* maps = new HandleMaps;
    return *maps;
}

// The message being handled on this thread, for Default().
thread_local MSG t_currentMessage;

} // namespace

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::~CWnd() {
    if (CWinApp* pApp = AfxGetApp(); pApp && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        DestroyWindow();
        if (m_hWnd)
            Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    auto& permanent = Maps().permanent;
    auto it = permanent.find(hWnd);
    return it == permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    auto& slot = Maps().temporary[hWnd];
    if (!slot)
        slot.reset(new CWnd(hWnd));
    return slot.get();
}

void CWnd::DeleteTempMap() {
    Maps().temporary.clear();
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (!hWndNew || m_hWnd || FromHandlePermanent(hWndNew)) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!::IsWindow(hWndNew)) {
        ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    Maps().permanent[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd && FromHandlePermanent(hWnd) == this)
        Maps().permanent.erase(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (!previous) {
        Detach();
        return FALSE;
    }
    // A window already on the framework's procedure (detached from another object) has lost
    // its previous procedure; default processing is all that is left.
    m_pfnSuper = previous == &AfxWndProc ? nullptr : previous;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (!pParent || !pParent->CheckLive())
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
    if (!m_hWnd)
        return nullptr;
    WNDPROC restored = m_pfnSuper ? m_pfnSuper : &::DefWindowProcA;
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(restored));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    if (m_hWnd) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!lpszClassName && !(lpszClassName = AfxRegisterWndClass(0)))
        return FALSE;
    HWND hWnd;
    {
        CWndCreateHook hook(this);
        if (!hook.IsInstalled())
            return FALSE;
        hWnd = ::CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth,
                                 nHeight, hWndParent, nIDorHMenu, AfxGetInstanceHandle(), lpParam);
    }
    // A failed creation has already detached the object (its window got WM_NCDESTROY), and
    // the object may be gone if PostNcDestroy deleted it.
    return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    lpParam);
}

BOOL CWnd::DestroyWindow() {
    HWND hWnd = m_hWnd;
    if (!hWnd) {
        ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    BOOL destroyed = ::DestroyWindow(hWnd);
    // The object may have been deleted by PostNcDestroy: look it up by the handle instead of
    // touching it. A window attached without subclassing sent its last message elsewhere.
    if (FromHandlePermanent(hWnd) == this && !::IsWindow(hWnd))
        Detach();
    return destroyed;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    MSG saved = t_currentMessage;
    t_currentMessage = MSG{hWnd, nMsg, wParam, lParam, 0, {0, 0}};
    LRESULT result = pWnd->WindowProc(nMsg, wParam, lParam);
    // The handler may have deleted the object; it is still attached only if it still exists.
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->OnFinalMessage();
    t_currentMessage = saved;
    return result;
}

void CWnd::OnFinalMessage() {
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY)
        return OnNotify(wParam, lParam, pResult);
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message);
    if (!entry)
        return FALSE;
    *pResult = entry->pfn(this, message, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(t_currentMessage.message, t_currentMessage.wParam,
                         t_currentMessage.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    // Menus and accelerators send no control window; both are plain commands.
    int nCode = lParam ? HIWORD(wParam) : CN_COMMAND;
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

int CWnd::OnCreate(LPCREATESTRUCT) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}
HCURSOR CWnd::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(Default());
}
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) {
    return reinterpret_cast<HBRUSH>(Default());
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnSettingChange(UINT, LPCSTR) {
    Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseLeave() {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    HINSTANCE hInstance = AfxGetInstanceHandle();
    char name[128];
    std::snprintf(name, sizeof name, "QvWnd:%p:%x:%p:%p:%p", static_cast<void*>(hInstance),
                  nClassStyle, static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
                  static_cast<void*>(hIcon));
    // The names stay put: callers keep the pointer returned.
    static std::set<std::string> names;
    LPCSTR stored = names.insert(name).first->c_str();
    WNDCLASSA wc{};
    if (::GetClassInfoA(hInstance, stored, &wc))
        return stored;
    wc.style = nClassStyle;
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = stored;
    return ::RegisterClassA(&wc) ? stored : nullptr;
}
