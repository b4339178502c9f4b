// The root of the classes that receive commands: routes a command by id and notification code
// through the object's message map chain.
#pragma once
#include "framework/MessageMap.h"

#include <windows.h>

// What OnCmdMsg found when asked only to look (the handler is not called).
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Routes command nID with notification code nCode (a control's code, CN_COMMAND or
    // CN_UPDATE_COMMAND_UI with pExtra the CCmdUI) to its handler; TRUE when one was found.
    // With pHandlerInfo, the handler is reported there and not called.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    DECLARE_MESSAGE_MAP()
};
