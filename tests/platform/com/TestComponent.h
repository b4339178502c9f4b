// A recording automation object, its class factory, and a scratch registry for ProgIDs; shared by
// the COM platform tests and the framework's automation client tests.
#pragma once
#include <ole2.h>

#include <memory>
#include <string>
#include <vector>

namespace qv::test {

// What the test objects of one factory did, and how they answer.
struct ComponentLog {
    int alive = 0; // factory and objects not yet destroyed
    std::vector<std::string> events;
    HRESULT runResult = S_OK;
};

// An IDispatch object that records its Invoke calls as text ("Invoke 2 method BSTR:Skin.skf");
// with `runnable` it also has IRunnableObject, whose Run is recorded as "Run".
class TestObject final : public IDispatch {
public:
    TestObject(ComponentLog& log, bool runnable);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppvObject) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    // Records the call; a requested result is VT_I4 42.
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    class Runnable final : public IRunnableObject {
    public:
        explicit Runnable(TestObject& outer) : outer_(outer) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppvObject) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;
        STDMETHODIMP GetRunningClass(LPCLSID lpClsid) override;
        STDMETHODIMP Run(LPBINDCTX pbc) override;
        STDMETHODIMP_(BOOL) IsRunning() override;
        STDMETHODIMP LockRunning(BOOL fLock, BOOL fLastUnlockCloses) override;
        STDMETHODIMP SetContainedObject(BOOL fContained) override;

    private:
        TestObject& outer_;
    };

    ~TestObject();

    ComponentLog& log_;
    bool runnable_;
    bool running_ = false;
    ULONG refs_ = 1;
    Runnable runnablePart_{*this};
};

// Creates TestObjects; records "CreateInstance".
class TestFactory final : public IClassFactory {
public:
    TestFactory(ComponentLog& log, bool runnable);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppvObject) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) override;
    STDMETHODIMP LockServer(BOOL fLock) override;

private:
    ~TestFactory();

    ComponentLog& log_;
    bool runnable_;
    ULONG refs_ = 1;
};

// Registers a new TestFactory in-process for `clsid`, keeping only the platform's reference.
void RegisterTestServer(REFCLSID clsid, ComponentLog& log, bool runnable);

// The registry in a file of a new temporary folder for the test's life; the folder is removed
// afterwards.
class ScratchRegistry {
public:
    ScratchRegistry();
    ~ScratchRegistry();
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

    // HKEY_CLASSES_ROOT\<progId>\CLSID = clsidText.
    void RegisterProgId(const std::string& progId, const std::string& clsidText);

private:
    std::string dir_;
};

// {5C1A9E4B-7D2F-4E61-9A3B-0C8D2E6F1A47}: the class of the tests' component.
extern const CLSID CLSID_TestComponent;
inline constexpr const char* kTestComponentText = "{5C1A9E4B-7D2F-4E61-9A3B-0C8D2E6F1A47}";

} // namespace qv::test
