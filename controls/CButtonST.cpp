#include "controls/CButtonST.h"

namespace {
constexpr UINT_PTR ToolId = 1;
constexpr int MaxTipWidth = 400;
} // namespace

BEGIN_MESSAGE_MAP(CButtonST, CButton)
END_MESSAGE_MAP()

void CButtonST::EnsureToolTip() {
    if (ToolTip.GetSafeHwnd())
        return;
    if (!ToolTip.Create(this, ToolTipStyle))
        return;
    ToolTip.Activate(FALSE);
    ToolTip.SetMaxTipWidth(MaxTipWidth);
}

void CButtonST::SetTipText(LPCSTR text, BOOL activate) {
    if (!text)
        return;
    EnsureToolTip();
    if (!ToolTip.GetSafeHwnd())
        return;
    if (ToolTip.GetToolCount() == 0) {
        RECT rect;
        GetClientRect(&rect);
        ToolTip.AddTool(this, text, &rect, ToolId);
    }
    ToolTip.UpdateTipText(text, this, ToolId);
    ToolTip.Activate(activate);
}

BOOL CButtonST::PreTranslateMessage(MSG* pMsg) {
    EnsureToolTip();
    if (ToolTip.GetSafeHwnd())
        ToolTip.RelayEvent(pMsg);
    if (pMsg->message == WM_LBUTTONDBLCLK)
        pMsg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(pMsg);
}
