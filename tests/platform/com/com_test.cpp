// The COM library and OLE automation: binary layouts, identifiers, apartments, in-process object
// creation, reference counts, OleRun, BSTRs and VARIANTs.
#include <ole2.h>

#include "com/inproc_server.h"
#include "tests/platform/com/TestComponent.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <cstring>
#include <future>
#include <string>
#include <thread>

namespace qv::test {
namespace {

using Events = std::vector<std::string>;

std::u16string GuidText(REFGUID guid) {
    OLECHAR text[39];
    EXPECT_EQ(39, StringFromGUID2(guid, text, 39));
    return std::u16string(text);
}

TEST(ComLayout, StructuresHaveTheirWindowsLayout) {
    EXPECT_EQ(16u, sizeof(GUID));
    EXPECT_EQ(24u, sizeof(VARIANT));
    EXPECT_EQ(0u, offsetof(VARIANT, vt));
    EXPECT_EQ(8u, offsetof(VARIANT, lVal));
    EXPECT_EQ(8u, offsetof(VARIANT, bstrVal));
    EXPECT_EQ(8u, offsetof(VARIANT, pdispVal));
    EXPECT_EQ(24u, sizeof(DISPPARAMS));
    EXPECT_EQ(16u, offsetof(DISPPARAMS, cArgs));
    EXPECT_EQ(20u, offsetof(DISPPARAMS, cNamedArgs));
    EXPECT_EQ(64u, sizeof(EXCEPINFO));
}

TEST(ComLayout, InterfacesAreCallableThroughTheirVtableSlots) {
    ComponentLog log;
    {
        auto* object = new TestObject(log, true);
        // What a C client does: the object starts with a pointer to its table of functions.
        using CountSlot = ULONG (*)(void*); // AddRef and Release
        using InvokeSlot = HRESULT (*)(void*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*);
        using QuerySlot = HRESULT (*)(void*, REFIID, void**);
        using RunSlot = HRESULT (*)(void*, LPBINDCTX);
        void** vtable = *reinterpret_cast<void***>(static_cast<IDispatch*>(object));
        EXPECT_EQ(2u, reinterpret_cast<CountSlot>(vtable[1])(object));
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        EXPECT_EQ(S_OK, reinterpret_cast<InvokeSlot>(vtable[6])(object, 18, IID_NULL, LOCALE_USER_DEFAULT,
                                                               DISPATCH_METHOD, &none, nullptr, nullptr, nullptr));
        void* runnable = nullptr;
        ASSERT_EQ(S_OK, reinterpret_cast<QuerySlot>(vtable[0])(object, IID_IRunnableObject, &runnable));
        void** runVtable = *static_cast<void***>(runnable);
        EXPECT_EQ(S_OK, reinterpret_cast<RunSlot>(runVtable[4])(runnable, nullptr));
        EXPECT_EQ(2u, reinterpret_cast<CountSlot>(runVtable[2])(runnable));
        object->Release();
        EXPECT_EQ(0u, object->Release());
    }
    EXPECT_EQ((Events{"Invoke 18 method", "Run"}), log.events);
    EXPECT_EQ(0, log.alive);
}

TEST(ComIdentifiers, WellKnownInterfaceIdentifiers) {
    EXPECT_EQ(u"{00000000-0000-0000-C000-000000000046}", GuidText(IID_IUnknown));
    EXPECT_EQ(u"{00020400-0000-0000-C000-000000000046}", GuidText(IID_IDispatch));
    EXPECT_EQ(u"{00000001-0000-0000-C000-000000000046}", GuidText(IID_IClassFactory));
    EXPECT_EQ(u"{00000126-0000-0000-C000-000000000046}", GuidText(IID_IRunnableObject));
    EXPECT_EQ(u"{00000000-0000-0000-0000-000000000000}", GuidText(IID_NULL));
    EXPECT_TRUE(IsEqualGUID(IID_IUnknown, IID_IUnknown));
    EXPECT_FALSE(IsEqualIID(IID_IUnknown, IID_IDispatch));
}

TEST(ComIdentifiers, ClassIdentifiersFromText) {
    CLSID clsid;
    ASSERT_EQ(S_OK, CLSIDFromString(u"{5c1a9e4b-7d2f-4e61-9a3b-0c8d2e6f1a47}", &clsid));
    EXPECT_TRUE(IsEqualCLSID(CLSID_TestComponent, clsid));
    EXPECT_EQ(0x5C1A9E4Bu, clsid.Data1);
    EXPECT_EQ(0x9A, clsid.Data4[0]);
    EXPECT_EQ(0x47, clsid.Data4[7]);

    for (const char16_t* bad : {u"", u"5C1A9E4B-7D2F-4E61-9A3B-0C8D2E6F1A47", u"{5C1A9E4B-7D2F-4E61-9A3B-0C8D2E6F1A4}",
                                u"{5C1A9E4B-7D2F-4E61-9A3B-0C8D2E6F1A47}x", u"{5C1A9E4B+7D2F-4E61-9A3B-0C8D2E6F1A47}",
                                u"{5C1A9E4G-7D2F-4E61-9A3B-0C8D2E6F1A47}"}) {
        SCOPED_TRACE(std::string(bad, bad + std::char_traits<char16_t>::length(bad)));
        clsid = CLSID_TestComponent;
        EXPECT_EQ(CO_E_CLASSSTRING, CLSIDFromString(bad, &clsid));
        EXPECT_TRUE(IsEqualCLSID(CLSID_NULL, clsid));
    }
    EXPECT_EQ(E_INVALIDARG, CLSIDFromString(nullptr, &clsid));

    OLECHAR shortBuffer[38];
    EXPECT_EQ(0, StringFromGUID2(CLSID_TestComponent, shortBuffer, 38));
}

TEST(ComApartment, InitialisationCountsAndModel) {
    EXPECT_EQ(S_OK, CoInitialize(nullptr));
    EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    EXPECT_EQ(S_FALSE, OleInitialize(nullptr));
    EXPECT_EQ(RPC_E_CHANGED_MODE, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    OleUninitialize();
    CoUninitialize();
    CoUninitialize();
    // Balanced: the next call starts afresh, and may choose the other model.
    EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    CoUninitialize();
    EXPECT_EQ(E_INVALIDARG, CoInitialize(reinterpret_cast<LPVOID>(1)));
}

// A test with its (runnable) component registered in-process and COM initialised on the test's
// thread.
class ComCreation : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
        RegisterTestServer(CLSID_TestComponent, log_, true);
    }
    void TearDown() override {
        qv::com::RevokeInProcessServer(CLSID_TestComponent);
        CoUninitialize();
        EXPECT_EQ(0, log_.alive) << "a reference was leaked or released twice";
    }

    ComponentLog log_;
};

TEST_F(ComCreation, CreatesRegisteredObjectsWithTheAskedInterface) {
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_TestComponent, nullptr, CLSCTX_ALL, IID_IDispatch,
                                     reinterpret_cast<LPVOID*>(&dispatch)));
    ASSERT_NE(nullptr, dispatch);
    EXPECT_EQ(2, log_.alive); // the factory and the object
    // The caller holds the one reference; QueryInterface adds one for what it hands out.
    IUnknown* unknown = nullptr;
    ASSERT_EQ(S_OK, dispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(static_cast<IUnknown*>(dispatch), unknown);
    EXPECT_EQ(1u, unknown->Release());
    EXPECT_EQ(0u, dispatch->Release());
    EXPECT_EQ(1, log_.alive);
    EXPECT_EQ(Events{"CreateInstance"}, log_.events);
}

TEST_F(ComCreation, ClassObjectIsTheRegisteredFactory) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(S_OK, CoGetClassObject(CLSID_TestComponent, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     reinterpret_cast<LPVOID*>(&factory)));
    IUnknown* object = nullptr;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)));
    object->Release();
    factory->Release();
    EXPECT_EQ(Events{"CreateInstance"}, log_.events);
}

TEST_F(ComCreation, Failures) {
    const CLSID unregistered = {0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};
    struct Failure {
        const char* what;
        REFCLSID clsid;
        DWORD context;
        REFIID iid;
        HRESULT result;
    };
    const Failure failures[] = {
        {"class without a server", unregistered, CLSCTX_ALL, IID_IUnknown, REGDB_E_CLASSNOTREG},
        {"only out-of-process servers asked for", CLSID_TestComponent, CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
         IID_IUnknown, REGDB_E_CLASSNOTREG},
        {"interface the object lacks", CLSID_TestComponent, CLSCTX_INPROC_SERVER, IID_IClassFactory, E_NOINTERFACE},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.what);
        void* object = &log_;
        EXPECT_EQ(f.result, CoCreateInstance(f.clsid, nullptr, f.context, f.iid, &object));
        EXPECT_EQ(nullptr, object);
    }
    EXPECT_EQ(1, log_.alive); // the object that lacked the interface is gone again
    EXPECT_EQ(E_POINTER, CoCreateInstance(CLSID_TestComponent, nullptr, CLSCTX_ALL, IID_IUnknown, nullptr));
    EXPECT_EQ(E_INVALIDARG, CoGetClassObject(CLSID_TestComponent, CLSCTX_ALL, nullptr, IID_IUnknown, nullptr));

    // Once revoked the class has no server, and the platform's reference is released.
    EXPECT_EQ(S_OK, qv::com::RevokeInProcessServer(CLSID_TestComponent));
    EXPECT_EQ(0, log_.alive);
    void* object = nullptr;
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(CLSID_TestComponent, nullptr, CLSCTX_ALL, IID_IUnknown, &object));
    EXPECT_EQ(S_FALSE, qv::com::RevokeInProcessServer(CLSID_TestComponent));
}

TEST_F(ComCreation, ReplacingARegistrationReleasesTheEarlierFactory) {
    ComponentLog other;
    RegisterTestServer(CLSID_TestComponent, other, false);
    EXPECT_EQ(0, log_.alive);
    EXPECT_EQ(1, other.alive);
    EXPECT_EQ(S_OK, qv::com::RevokeInProcessServer(CLSID_TestComponent));
    EXPECT_EQ(0, other.alive);
}

TEST_F(ComCreation, OleRunRunsRunnableObjects) {
    IUnknown* object = nullptr;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_TestComponent, nullptr, CLSCTX_ALL, IID_IUnknown,
                                     reinterpret_cast<LPVOID*>(&object)));
    EXPECT_EQ(S_OK, OleRun(object));
    log_.runResult = E_FAIL;
    EXPECT_EQ(E_FAIL, OleRun(object));
    EXPECT_EQ((Events{"CreateInstance", "Run", "Run"}), log_.events);
    EXPECT_EQ(0u, object->Release());
    EXPECT_EQ(E_INVALIDARG, OleRun(nullptr));
}

TEST(ComOleRun, ObjectsWithoutIRunnableObjectAreAlwaysRunning) {
    ComponentLog log;
    auto* object = new TestObject(log, false);
    EXPECT_EQ(S_OK, OleRun(object));
    EXPECT_EQ(0u, object->Release());
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(0, log.alive);
}

TEST(ComApartment, CreationNeedsCoInitialize) {
    ComponentLog log;
    RegisterTestServer(CLSID_TestComponent, log, false);
    void* object = &log;
    EXPECT_EQ(CO_E_NOTINITIALIZED, CoCreateInstance(CLSID_TestComponent, nullptr, CLSCTX_ALL, IID_IUnknown, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(CO_E_NOTINITIALIZED,
              CoGetClassObject(CLSID_TestComponent, CLSCTX_ALL, nullptr, IID_IClassFactory, &object));

    // While another thread is in the multithreaded apartment, every thread may create objects.
    std::promise<void> entered, leave;
    std::thread member([&] {
        EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        entered.set_value();
        leave.get_future().wait_for(std::chrono::seconds(30));
        CoUninitialize();
    });
    ASSERT_EQ(std::future_status::ready, entered.get_future().wait_for(std::chrono::seconds(30)));
    EXPECT_EQ(S_OK, CoCreateInstance(CLSID_TestComponent, nullptr, CLSCTX_ALL, IID_IUnknown, &object));
    static_cast<IUnknown*>(object)->Release();
    leave.set_value();
    member.join();
    EXPECT_EQ(CO_E_NOTINITIALIZED, CoCreateInstance(CLSID_TestComponent, nullptr, CLSCTX_ALL, IID_IUnknown, &object));
    qv::com::RevokeInProcessServer(CLSID_TestComponent);
}

TEST(Bstr, LengthPrefixCharactersAndTerminator) {
    BSTR text = SysAllocString(u"Skin.skf");
    ASSERT_NE(nullptr, text);
    uint32_t prefix;
    std::memcpy(&prefix, reinterpret_cast<const char*>(text) - 4, 4);
    EXPECT_EQ(16u, prefix); // bytes, not characters
    EXPECT_EQ(8u, SysStringLen(text));
    EXPECT_EQ(16u, SysStringByteLen(text));
    EXPECT_EQ(u"Skin.skf", std::u16string(text));
    EXPECT_EQ(0, text[8]);
    SysFreeString(text);

    BSTR embedded = SysAllocStringLen(u"ab\0cd", 5);
    EXPECT_EQ(5u, SysStringLen(embedded));
    EXPECT_EQ(std::u16string(u"ab\0cd", 5), std::u16string(embedded, 5));
    EXPECT_EQ(0, embedded[5]);
    SysFreeString(embedded);

    BSTR blank = SysAllocStringLen(nullptr, 3);
    EXPECT_EQ(3u, SysStringLen(blank));
    EXPECT_EQ(std::u16string(4, u'\0'), std::u16string(blank, 4));
    SysFreeString(blank);

    EXPECT_EQ(nullptr, SysAllocString(nullptr));
    EXPECT_EQ(0u, SysStringLen(nullptr));
    SysFreeString(nullptr);
}

TEST(Variant, CopyAndClearOwnWhatTheyHold) {
    ComponentLog log;
    auto* object = new TestObject(log, false);
    VARIANT source, copy;
    VariantInit(&source);
    VariantInit(&copy);
    EXPECT_EQ(VT_EMPTY, source.vt);

    source.vt = VT_DISPATCH;
    source.pdispVal = object;
    ASSERT_EQ(S_OK, VariantCopy(&copy, &source));
    EXPECT_EQ(VT_DISPATCH, copy.vt);
    // The source's reference, the copy's own, and this one.
    EXPECT_EQ(3u, object->AddRef());
    object->Release();
    EXPECT_EQ(S_OK, VariantClear(&copy));
    EXPECT_EQ(VT_EMPTY, copy.vt);
    EXPECT_EQ(S_OK, VariantClear(&source)); // the last reference
    EXPECT_EQ(0, log.alive);

    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(u"Skin.skf");
    ASSERT_EQ(S_OK, VariantCopy(&copy, &source));
    EXPECT_NE(source.bstrVal, copy.bstrVal);
    EXPECT_EQ(u"Skin.skf", std::u16string(copy.bstrVal));
    EXPECT_EQ(S_OK, VariantClear(&source));
    EXPECT_EQ(S_OK, VariantClear(&copy));

    source.vt = VT_I4;
    source.lVal = -7;
    ASSERT_EQ(S_OK, VariantCopy(&copy, &source));
    EXPECT_EQ(-7, copy.lVal);

    source.vt = VT_ARRAY | VT_I4;
    EXPECT_EQ(DISP_E_BADVARTYPE, VariantClear(&source));
    EXPECT_EQ(E_INVALIDARG, VariantClear(nullptr));
    EXPECT_EQ(E_INVALIDARG, VariantCopy(&copy, nullptr));
}

} // namespace
} // namespace qv::test
