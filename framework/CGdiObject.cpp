#include "framework/CGdiObject.h"

#include <memory>
#include <unordered_map>
#include <vector>
#include <windows.h>

namespace {

struct GdiMaps {
    std::unordered_map<HGDIOBJ, CGdiObject*> permanent;
    // A handle may be wrapped as more than one class (a CGdiObject and a CFont, say).
    std::unordered_multimap<HGDIOBJ, std::unique_ptr<CGdiObject>> temporary;
};

GdiMaps& Maps() {
    // Never destroyed: static objects may still delete their handles as the process ends.
    thread_local GdiMaps* maps = new GdiMaps;
    return *maps;
}

} // namespace

CGdiObject::~CGdiObject() {
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
    return FromHandleAs<CGdiObject>(hObject);
}

CGdiObject* CGdiObject::FromHandleOfKind(HGDIOBJ hObject, Maker make, KindTest isKind) {
    if (!hObject)
        return nullptr;
    GdiMaps& maps = Maps();
    if (auto it = maps.permanent.find(hObject); it != maps.permanent.end() && isKind(it->second))
        return it->second;
    auto [first, last] = maps.temporary.equal_range(hObject);
    for (auto it = first; it != last; ++it) {
        if (isKind(it->second.get()))
            return it->second.get();
    }
    std::unique_ptr<CGdiObject> wrapper(make());
    wrapper->m_hObject = hObject;
    return maps.temporary.emplace(hObject, std::move(wrapper))->second.get();
}

void CGdiObject::DeleteTempMap() {
    auto temporary = std::move(Maps().temporary);
    Maps().temporary.clear();
    for (auto& [hObject, wrapper] : temporary)
        wrapper->m_hObject = nullptr;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    GdiMaps& maps = Maps();
    if (!hObject || m_hObject || maps.permanent.count(hObject)) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    maps.permanent[hObject] = this;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ hObject = m_hObject;
    GdiMaps& maps = Maps();
    if (auto it = maps.permanent.find(hObject); it != maps.permanent.end() && it->second == this)
        maps.permanent.erase(it);
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
    return ::GetObjectA(m_hObject, nCount, lpObject);
}
