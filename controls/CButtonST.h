// A push button that shows a tool tip while the pointer rests on it, and that counts the
// second press of a double-click as a press of its own. It draws nothing itself: the button
// looks and reacts as the standard one does.
#pragma once
#include "framework/CButton.h"
#include "framework/CToolTipCtrl.h"

class CButtonST : public CButton {
public:
    CButtonST() = default;
    ~CButtonST() override = default;

    // Gives the button its tip text and turns the tip on (activate TRUE) or off. A null text
    // changes nothing.
    void SetTipText(LPCSTR text, BOOL activate);

    // Every queued message of the button passes here: the tool tip sees it, and a
    // double-click becomes a plain press.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    DECLARE_MESSAGE_MAP()

private:
    // Creates the tool-tip window when it does not exist yet; tries again next time when that
    // fails.
    void EnsureToolTip();

    CToolTipCtrl ToolTip;
    DWORD ToolTipStyle = 0;
};
