#include "tests/platform/com/TestComponent.h"

#include "com/inproc_server.h"
#include "host/registry_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

namespace qv::test {

const CLSID CLSID_TestComponent = {0x5C1A9E4B, 0x7D2F, 0x4E61, {0x9A, 0x3B, 0x0C, 0x8D, 0x2E, 0x6F, 0x1A, 0x47}};

namespace {

// ASCII as it is, any other character as <hex>.
std::string Printable(const OLECHAR* text, UINT length) {
    std::string out;
    for (UINT i = 0; i < length; ++i) {
        if (text[i] >= 0x20 && text[i] < 0x7F) {
            out.push_back(static_cast<char>(text[i]));
        } else {
            char hex[8];
            snprintf(hex, sizeof hex, "<%x>", static_cast<unsigned>(text[i]));
            out += hex;
        }
    }
    return out;
}

std::string Describe(const VARIANT& arg) {
    switch (arg.vt) {
    case VT_I2:
        return "I2:" + std::to_string(arg.iVal);
    case VT_I4:
        return "I4:" + std::to_string(arg.lVal);
    case VT_BOOL:
        return "BOOL:" + std::to_string(arg.boolVal);
    case VT_BSTR:
        return "BSTR:" + Printable(arg.bstrVal, SysStringLen(arg.bstrVal));
    default:
        return "VT" + std::to_string(arg.vt);
    }
}

std::string FlagsText(WORD flags) {
    switch (flags) {
    case DISPATCH_METHOD:
        return "method";
    case DISPATCH_PROPERTYGET:
        return "get";
    case DISPATCH_PROPERTYPUT:
        return "put";
    default:
        return "flags" + std::to_string(flags);
    }
}

} // namespace

TestObject::TestObject(ComponentLog& log, bool runnable) : log_(log), runnable_(runnable) { ++log_.alive; }

TestObject::~TestObject() { --log_.alive; }

STDMETHODIMP TestObject::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch)
        *ppvObject = static_cast<IDispatch*>(this);
    else if (runnable_ && riid == IID_IRunnableObject)
        *ppvObject = &runnablePart_;
    else {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TestObject::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) TestObject::Release() {
    const ULONG refs = --refs_;
    if (refs == 0)
        delete this;
    return refs;
}

STDMETHODIMP TestObject::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP TestObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TestObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

STDMETHODIMP TestObject::Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                                VARIANT* pVarResult, EXCEPINFO*, UINT*) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (!pDispParams)
        return E_INVALIDARG;
    std::string event = "Invoke " + std::to_string(dispIdMember) + " " + FlagsText(wFlags);
    // rgvarg holds the arguments last first.
    for (UINT i = pDispParams->cArgs; i-- > 0;)
        event += " " + Describe(pDispParams->rgvarg[i]);
    for (UINT i = 0; i < pDispParams->cNamedArgs; ++i)
        event += " named:" + std::to_string(pDispParams->rgdispidNamedArgs[i]);
    if (pVarResult) {
        event += " result";
        pVarResult->vt = VT_I4;
        pVarResult->lVal = 42;
    }
    log_.events.push_back(event);
    return S_OK;
}

STDMETHODIMP TestObject::Runnable::QueryInterface(REFIID riid, void** ppvObject) {
    return outer_.QueryInterface(riid, ppvObject);
}

STDMETHODIMP_(ULONG) TestObject::Runnable::AddRef() { return outer_.AddRef(); }

STDMETHODIMP_(ULONG) TestObject::Runnable::Release() { return outer_.Release(); }

STDMETHODIMP TestObject::Runnable::GetRunningClass(LPCLSID lpClsid) {
    if (!lpClsid)
        return E_INVALIDARG;
    *lpClsid = CLSID_TestComponent;
    return S_OK;
}

STDMETHODIMP TestObject::Runnable::Run(LPBINDCTX) {
    outer_.log_.events.push_back("Run");
    outer_.running_ = SUCCEEDED(outer_.log_.runResult);
    return outer_.log_.runResult;
}

STDMETHODIMP_(BOOL) TestObject::Runnable::IsRunning() { return outer_.running_; }

STDMETHODIMP TestObject::Runnable::LockRunning(BOOL, BOOL) { return S_OK; }

STDMETHODIMP TestObject::Runnable::SetContainedObject(BOOL) { return S_OK; }

TestFactory::TestFactory(ComponentLog& log, bool runnable) : log_(log), runnable_(runnable) { ++log_.alive; }

TestFactory::~TestFactory() { --log_.alive; }

STDMETHODIMP TestFactory::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
        *ppvObject = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppvObject = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TestFactory::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) TestFactory::Release() {
    const ULONG refs = --refs_;
    if (refs == 0)
        delete this;
    return refs;
}

STDMETHODIMP TestFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) {
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    if (pUnkOuter)
        return CLASS_E_NOAGGREGATION;
    log_.events.push_back("CreateInstance");
    auto* object = new TestObject(log_, runnable_);
    const HRESULT hr = object->QueryInterface(riid, ppvObject);
    object->Release();
    return hr;
}

STDMETHODIMP TestFactory::LockServer(BOOL) { return S_OK; }

void RegisterTestServer(REFCLSID clsid, ComponentLog& log, bool runnable) {
    auto* factory = new TestFactory(log, runnable);
    ASSERT_EQ(S_OK, qv::com::RegisterInProcessServer(clsid, factory));
    factory->Release();
}

ScratchRegistry::ScratchRegistry() {
    std::random_device random;
    const auto dir = std::filesystem::temp_directory_path() / ("qv-com-" + std::to_string(random()));
    std::filesystem::create_directories(dir);
    dir_ = dir.string();
    qv::host::SetRegistryStore(qv::host::MakeRegistryFileStore(dir_ + "/registry"));
}

ScratchRegistry::~ScratchRegistry() {
    qv::host::SetRegistryStore(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

void ScratchRegistry::RegisterProgId(const std::string& progId, const std::string& clsidText) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, (progId + "\\CLSID").c_str(), 0, nullptr,
                                             REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsidText.c_str()),
                                            static_cast<DWORD>(clsidText.size() + 1)));
    RegCloseKey(key);
}

} // namespace qv::test
