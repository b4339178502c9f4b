#include "framework/CCmdTarget.h"

#include <windows.h>

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{AfxEntryKind::End, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    const AFX_MSGMAP_ENTRY* entry = AfxFindCommandEntry(GetMessageMap(), nID, nCode);
    if (!entry)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }
    entry->pfn(this, WM_COMMAND, MAKEWPARAM(nID, nCode), reinterpret_cast<LPARAM>(pExtra));
    return TRUE;
}
