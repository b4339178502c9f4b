// Message and command maps: static tables that route window messages and commands to member
// functions. Each entry decodes wParam and lParam once, in a capture-less lambda defined inside
// the class's map function (so it may call protected and private handlers), and the handlers
// read like ordinary member functions. A class's map chains to its base class's map; the first
// matching entry, searching from the most derived class, wins.
//
//   BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//       ON_WM_CREATE()
//       ON_BN_CLICKED(IDC_GO, &CMyWnd::OnGo)
//       ON_MESSAGE(WM_APP + 1, &CMyWnd::OnAppMessage)
//   END_MESSAGE_MAP()
#pragma once
#include <windows.h>

class CCmdTarget;
class CCmdUI;
class CDC;
class CMenu;
class CWnd;

// Marks message handlers in class declarations.
#define afx_msg

// Command notification codes beyond the controls' own: a menu or accelerator command, and the
// question "what state should this command's user interface show".
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (-1)

// Calls one handler. For window messages the arguments are the message's own; for command
// entries the message is WM_COMMAND, wParam is MAKEWPARAM(id, code) and lParam carries the
// command's extra data (the control's window, or the CCmdUI of an update).
typedef LRESULT (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, UINT nMessage, WPARAM wParam, LPARAM lParam);

enum class AfxEntryKind {
    End,
    Message,           // window messages nFirst..nLast
    RegisteredMessage, // the message number held in *pnMessage, read at dispatch time
    Command,           // WM_COMMAND with code nCode from ids nFirst..nLast
    UpdateCommandUI,   // user-interface update of ids nFirst..nLast
};

struct AFX_MSGMAP_ENTRY {
    AfxEntryKind kind;
    UINT nFirst;
    UINT nLast;
    int nCode;
    const UINT* pnMessage;
    AFX_PMSGTHUNK pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Finds the entry for a window message in a map chain, or null.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage);
// Finds the entry for a command (or its update, with nCode CN_UPDATE_COMMAND_UI), or null.
const AFX_MSGMAP_ENTRY* AfxFindCommandEntry(const AFX_MSGMAP* pMap, UINT nID, int nCode);

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        [[maybe_unused]] typedef theClass ThisClass;                                               \
        typedef baseClass TheBaseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { AfxEntryKind::End, 0, 0, 0, nullptr, nullptr }                                               \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

// The object a handler runs on, inside an entry's lambda.
#define AFX_THIS static_cast<ThisClass*>(pTarget)

// One window message, decoded by the statement that follows (pTarget, wParam, lParam and
// nMessage are in scope; the statement returns the message's result).
#define AFX_MESSAGE_ENTRY(msg, body)                                                               \
    {AfxEntryKind::Message,                                                                        \
     (msg),                                                                                        \
     (msg),                                                                                        \
     0,                                                                                            \
     nullptr,                                                                                      \
     [](CCmdTarget* pTarget, UINT nMessage, WPARAM wParam, LPARAM lParam) -> LRESULT {             \
         (void)nMessage;                                                                           \
         (void)wParam;                                                                             \
         (void)lParam;                                                                             \
         body                                                                                      \
     }},

// Window messages with decoded arguments.
#define ON_WM_CREATE()                                                                             \
    AFX_MESSAGE_ENTRY(WM_CREATE,                                                                   \
                      return AFX_THIS->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));)
#define ON_WM_DESTROY() AFX_MESSAGE_ENTRY(WM_DESTROY, AFX_THIS->OnDestroy(); return 0;)
#define ON_WM_CLOSE() AFX_MESSAGE_ENTRY(WM_CLOSE, AFX_THIS->OnClose(); return 0;)
#define ON_WM_PAINT() AFX_MESSAGE_ENTRY(WM_PAINT, AFX_THIS->OnPaint(); return 0;)
#define ON_WM_TIMER()                                                                              \
    AFX_MESSAGE_ENTRY(WM_TIMER, AFX_THIS->OnTimer(static_cast<UINT_PTR>(wParam)); return 0;)
#define ON_WM_SYSCOMMAND()                                                                         \
    AFX_MESSAGE_ENTRY(WM_SYSCOMMAND, AFX_THIS->OnSysCommand(static_cast<UINT>(wParam), lParam);    \
                      return 0;)
#define ON_WM_QUERYDRAGICON()                                                                      \
    AFX_MESSAGE_ENTRY(WM_QUERYDRAGICON,                                                            \
                      return reinterpret_cast<LRESULT>(AFX_THIS->OnQueryDragIcon());)
#define ON_WM_SIZE()                                                                               \
    AFX_MESSAGE_ENTRY(WM_SIZE,                                                                     \
                      AFX_THIS->OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); \
                      return 0;)
#define ON_WM_ENABLE()                                                                             \
    AFX_MESSAGE_ENTRY(WM_ENABLE, AFX_THIS->OnEnable(static_cast<BOOL>(wParam)); return 0;)
#define ON_WM_SETTINGCHANGE()                                                                      \
    AFX_MESSAGE_ENTRY(                                                                             \
        WM_SETTINGCHANGE,                                                                          \
        AFX_THIS->OnSettingChange(static_cast<UINT>(wParam), reinterpret_cast<LPCSTR>(lParam));    \
        return 0;)
#define ON_WM_CAPTURECHANGED()                                                                     \
    AFX_MESSAGE_ENTRY(WM_CAPTURECHANGED, AFX_THIS->OnCaptureChanged(                               \
                                             CWnd::FromHandle(reinterpret_cast<HWND>(lParam)));    \
                      return 0;)
#define ON_WM_MOUSELEAVE() AFX_MESSAGE_ENTRY(WM_MOUSELEAVE, AFX_THIS->OnMouseLeave(); return 0;)

// Mouse buttons and movement: the key flags and the point in client coordinates.
#define AFX_MOUSE_ENTRY(msg, handler)                                                              \
    AFX_MESSAGE_ENTRY(msg, AFX_THIS->handler(static_cast<UINT>(wParam),                            \
                                             CPoint(static_cast<short>(LOWORD(lParam)),            \
                                                    static_cast<short>(HIWORD(lParam))));          \
                      return 0;)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)

// Messages whose handlers take a device context or a menu: the translation unit that uses them
// includes the class (framework/CDC.h, framework/CMenu.h), whose FromHandle wraps the handle.
#define ON_WM_ERASEBKGND()                                                                         \
    AFX_MESSAGE_ENTRY(WM_ERASEBKGND, return AFX_THIS->OnEraseBkgnd(                                \
                                         CDC::FromHandle(reinterpret_cast<HDC>(wParam)));)
#define ON_WM_CTLCOLOR()                                                                           \
    {AfxEntryKind::Message,                                                                        \
     WM_CTLCOLORMSGBOX,                                                                            \
     WM_CTLCOLORSTATIC,                                                                            \
     0,                                                                                            \
     nullptr,                                                                                      \
     [](CCmdTarget* pTarget, UINT nMessage, WPARAM wParam, LPARAM lParam) -> LRESULT {             \
         return reinterpret_cast<LRESULT>(AFX_THIS->OnCtlColor(                                    \
             CDC::FromHandle(reinterpret_cast<HDC>(wParam)),                                       \
             CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), nMessage - WM_CTLCOLORMSGBOX));     \
     }},
#define ON_WM_INITMENUPOPUP()                                                                      \
    AFX_MESSAGE_ENTRY(WM_INITMENUPOPUP, AFX_THIS->OnInitMenuPopup(                                 \
                                            CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),    \
                                            LOWORD(lParam), HIWORD(lParam));                       \
                      return 0;)

// Any message: LRESULT memberFxn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                             \
    AFX_MESSAGE_ENTRY(message,                                                                     \
                      return (AFX_THIS->*static_cast<LRESULT (ThisClass::*)(WPARAM, LPARAM)>(      \
                                             memberFxn))(wParam, lParam);)

// A registered message, whose number is a UINT variable set at run time.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                         \
    {AfxEntryKind::RegisteredMessage,                                                              \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     &(nMessageVariable),                                                                          \
     [](CCmdTarget* pTarget, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {                      \
         return (AFX_THIS->*static_cast<LRESULT (ThisClass::*)(WPARAM, LPARAM)>(memberFxn))(       \
             wParam, lParam);                                                                      \
     }},

// Commands. ON_COMMAND takes menu and accelerator commands and BN_CLICKED (whose code is 0).
#define ON_CONTROL_RANGE_ENTRY(wNotifyCode, id, idLast, body)                                      \
    {AfxEntryKind::Command,                                                                        \
     static_cast<UINT>(id),                                                                        \
     static_cast<UINT>(idLast),                                                                    \
     static_cast<int>(static_cast<WORD>(wNotifyCode)),                                             \
     nullptr,                                                                                      \
     [](CCmdTarget* pTarget, UINT, WPARAM wParam, LPARAM) -> LRESULT {                             \
         (void)wParam;                                                                             \
         body return 0;                                                                            \
     }},
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                     \
    ON_CONTROL_RANGE_ENTRY(wNotifyCode, id, id,                                                    \
                           (AFX_THIS->*static_cast<void (ThisClass::*)()>(memberFxn))();)
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                       \
    ON_CONTROL_RANGE_ENTRY(                                                                        \
        wNotifyCode, id, idLast,                                                                   \
        (AFX_THIS->*static_cast<void (ThisClass::*)(UINT)>(memberFxn))(LOWORD(wParam));)
#define ON_COMMAND(id, memberFxn) ON_CONTROL(CN_COMMAND, id, memberFxn)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) ON_CONTROL_RANGE(CN_COMMAND, id, idLast, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

// The user-interface state of a command: void memberFxn(CCmdUI*).
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                        \
    {AfxEntryKind::UpdateCommandUI,                                                                \
     static_cast<UINT>(id),                                                                        \
     static_cast<UINT>(id),                                                                        \
     CN_UPDATE_COMMAND_UI,                                                                         \
     nullptr,                                                                                      \
     [](CCmdTarget* pTarget, UINT, WPARAM, LPARAM lParam) -> LRESULT {                             \
         (AFX_THIS->*static_cast<void (ThisClass::*)(CCmdUI*)>(memberFxn))(                        \
             reinterpret_cast<CCmdUI*>(lParam));                                                   \
         return 0;                                                                                 \
     }},
