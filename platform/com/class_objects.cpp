// Class objects of in-process servers, and object creation through them.
#include "com/inproc_server.h"

#include "com/apartment.h"

#include <objbase.h>

#include <mutex>
#include <utility>
#include <vector>

namespace {

std::mutex g_lock;
std::vector<std::pair<CLSID, IClassFactory*>> g_servers;

// The registered class object of `clsid` with a reference for the caller, or null.
IClassFactory* FindServer(REFCLSID clsid) {
    std::lock_guard<std::mutex> hold(g_lock);
    for (auto& [id, factory] : g_servers) {
        if (IsEqualCLSID(id, clsid)) {
            factory->AddRef();
            return factory;
        }
    }
    return nullptr;
}

} // namespace

namespace qv::com {

HRESULT RegisterInProcessServer(REFCLSID clsid, IClassFactory* factory) {
    if (!factory)
        return E_INVALIDARG;
    factory->AddRef();
    IClassFactory* previous = nullptr;
    {
        std::lock_guard<std::mutex> hold(g_lock);
        for (auto& [id, registered] : g_servers) {
            if (IsEqualCLSID(id, clsid))
                previous = std::exchange(registered, factory);
        }
        if (!previous)
            g_servers.emplace_back(clsid, factory);
    }
    if (previous)
        previous->Release();
    return S_OK;
}

HRESULT RevokeInProcessServer(REFCLSID clsid) {
    IClassFactory* revoked = nullptr;
    {
        std::lock_guard<std::mutex> hold(g_lock);
        for (auto it = g_servers.begin(); it != g_servers.end(); ++it) {
            if (IsEqualCLSID(it->first, clsid)) {
                revoked = it->second;
                g_servers.erase(it);
                break;
            }
        }
    }
    if (!revoked)
        return S_FALSE;
    revoked->Release();
    return S_OK;
}

} // namespace qv::com

HRESULT WINAPI CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, COSERVERINFO* /*pServerInfo*/, REFIID riid,
                                LPVOID* ppv) {
    if (!ppv)
        return E_INVALIDARG;
    *ppv = nullptr;
    if (!qv::com::IsComInitialized())
        return CO_E_NOTINITIALIZED;
    // Only in-process servers exist here; a local or remote server is never registered.
    if (!(dwClsContext & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;
    IClassFactory* factory = FindServer(rclsid);
    if (!factory)
        return REGDB_E_CLASSNOTREG;
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                                LPVOID* ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory, reinterpret_cast<LPVOID*>(&factory));
    if (FAILED(hr))
        return hr;
    hr = factory->CreateInstance(pUnkOuter, riid, ppv);
    factory->Release();
    if (FAILED(hr))
        *ppv = nullptr;
    return hr;
}
