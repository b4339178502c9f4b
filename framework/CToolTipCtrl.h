// A tool-tip control ("tooltips_class32"): a popup owned by a window that shows a tip for each
// of its tools. A tool is a window (identified by its handle) or a rectangle of a window
// (identified by an id). The owner passes its mouse messages on with RelayEvent.
#pragma once
#include "framework/CWnd.h"

#include <commctrl.h>
#include <string>
#include <windows.h>

class CToolTipCtrl : public CWnd {
public:
    // Registers the common controls and makes the popup, owned by pParentWnd.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    void Activate(BOOL bActivate);
    // With nIDTool 0 and no rectangle, the tool is pWnd itself; otherwise it is the rectangle
    // lpRectTool of pWnd's client area, known by nIDTool.
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACKA, LPCRECT lpRectTool = nullptr,
                 UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void GetText(std::string& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    int GetToolCount() const;
    // Returns the previous maximum width; -1 means none.
    int SetMaxTipWidth(int iWidth);
    // One of the delays (TTDT_INITIAL, TTDT_AUTOPOP, TTDT_RESHOW) in milliseconds; TTDT_AUTOMATIC
    // sets all three from one value.
    void SetDelayTime(DWORD dwDuration, int iTime);
    void SetDelayTime(UINT nDelay);
    void RelayEvent(LPMSG lpMsg);
    // Hides the tip shown.
    void Pop();

private:
    // The TOOLINFOA fields that name a tool.
    static TOOLINFOA ToolInfo(CWnd* pWnd, LPCRECT lpRectTool, UINT_PTR nIDTool);
};
