// A window: the framework object attached to a window handle. Its messages arrive at the
// framework's window procedure, which finds the object and calls WindowProc; the message map
// decodes them into handler calls, and what no handler takes goes to the procedure the window
// had before it was subclassed (or DefWindowProcA).
#pragma once
#include "framework/CCmdTarget.h"
#include "framework/CPoint.h"

#include <string>
#include <windows.h>

class CWnd : public CCmdTarget {
public:
    HWND m_hWnd = nullptr;

    // Positions that SetWindowPos accepts for its insert-after window.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    CWnd() = default;
    // Destroys the window the object still owns.
    ~CWnd() override;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to hWnd; for other windows a temporary wrapper, valid until the
    // thread is next idle. Null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    // The object attached to hWnd on this thread, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Deletes the temporary wrappers of this thread.
    static void DeleteTempMap();

    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Attaches the object and routes the window's messages through it; what the object does
    // not handle goes to the window's previous procedure.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Gives the window its previous procedure back and detaches the object.
    HWND UnsubclassWindow();

    // Creates the window attached to this object; the object sees its first message. A null
    // class name takes the framework's default class (AfxRegisterWndClass(0)).
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          LPVOID lpParam = nullptr);
    // Creates a child window.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Routes a message to its handler; FALSE when none takes it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled.
    LRESULT Default();
    // Sees each queued message meant for this window or its descendants before it is
    // translated and dispatched; TRUE keeps it from being dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers pMsg to PreTranslateMessage of its window's objects, from the window up through
    // its parents; TRUE when one took it.
    static BOOL WalkPreTranslateTree(MSG* pMsg);

    // Thin wrappers: each checks for a live window, then makes one call.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;
    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(std::string& rString) const;
    int GetWindowTextLength() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    // Centres a top-level window on its owner (or pAlternateOwner), or on the work area when
    // there is no visible one; a child on its parent's client area. The window stays within
    // the work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    void Invalidate(BOOL bErase = TRUE);
    void UpdateWindow();
    // Returns the window that had the focus.
    CWnd* SetFocus();
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Removes then adds styles; with nFlags, also calls SetWindowPos with them so that the
    // frame follows. FALSE when nothing changed.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL SetForegroundWindow();
    CWnd* SetActiveWindow();
    // Updates each child control's state (enabled, check, text) from pTarget's update
    // handlers; without a handler, a control whose command has no handler either is disabled
    // when bDisableIfNoHandler.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
    // The window's system menu (a temporary wrapper); with bRevert, the default one is restored
    // and null returned.
    CMenu* GetSystemMenu(BOOL bRevert) const;

protected:
    // Called before the object starts receiving the window's messages (creation, subclassing).
    virtual void PreSubclassWindow();
    // Called after the window's last message, once the object is detached; may delete it.
    virtual void PostNcDestroy();
    // WM_COMMAND: routes the command through OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: TRUE, with the result in *pResult, when the notification was handled.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Handlers of the message map entries; by default each gives the message to Default().
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnCaptureChanged(CWnd* pWnd);

    // The procedure the window had before the framework's; default processing calls it.
    WNDPROC m_pfnSuper = nullptr;

private:
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    // Whether m_hWnd is a live window; sets ERROR_INVALID_WINDOW_HANDLE when not.
    bool CheckLive() const;
    // The window's last message has been handled: detach, then PostNcDestroy.
    void OnFinalMessage();

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
};

// The framework's window procedure.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Registers (once) a window class of the framework with these attributes and returns its name.
// Its procedure is DefWindowProcA; the framework subclasses each window it creates.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                           HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
