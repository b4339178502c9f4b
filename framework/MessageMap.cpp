#include "framework/MessageMap.h"

#include <windows.h>

namespace {

bool InRange(const AFX_MSGMAP_ENTRY& entry, UINT n) {
    return entry.nFirst <= n && n <= entry.nLast;
}

bool MatchesMessage(const AFX_MSGMAP_ENTRY& entry, UINT nMessage) {
    switch (entry.kind) {
    case AfxEntryKind::Message:
        return InRange(entry, nMessage);
    case AfxEntryKind::RegisteredMessage:
        // A registration that failed leaves 0, which is no message.
        return *entry.pnMessage != 0 && *entry.pnMessage == nMessage;
    default:
        return false;
    }
}

bool MatchesCommand(const AFX_MSGMAP_ENTRY& entry, UINT nID, int nCode) {
    if (nCode == CN_UPDATE_COMMAND_UI)
        return entry.kind == AfxEntryKind::UpdateCommandUI && InRange(entry, nID);
    return entry.kind == AfxEntryKind::Command && entry.nCode == nCode && InRange(entry, nID);
}

template <typename Match> const AFX_MSGMAP_ENTRY* Find(const AFX_MSGMAP* pMap, Match match) {
    for (; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = pMap->lpEntries; entry->kind != AfxEntryKind::End;
             ++entry) {
            if (match(*entry))
                return entry;
        }
    }
    return nullptr;
}

} // namespace

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage) {
    return Find(pMap,
                [nMessage](const AFX_MSGMAP_ENTRY& e) { return MatchesMessage(e, nMessage); });
}

const AFX_MSGMAP_ENTRY* AfxFindCommandEntry(const AFX_MSGMAP* pMap, UINT nID, int nCode) {
    return Find(pMap,
                [nID, nCode](const AFX_MSGMAP_ENTRY& e) { return MatchesCommand(e, nID, nCode); });
}
