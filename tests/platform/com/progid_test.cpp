// ProgIDs resolve through the registry's class keys, and a class the registry knows still needs
// a server to be created.
#include <windows.h>
#include <ole2.h>

#include "com/inproc_server.h"
#include "tests/platform/com/TestComponent.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

class ProgId : public testing::Test {
protected:
    ScratchRegistry registry_;
};

TEST_F(ProgId, ResolvesThroughTheClassesKey) {
    registry_.RegisterProgId("SkinCrafter.SCSkin3", kTestComponentText);
    CLSID clsid = CLSID_NULL;
    ASSERT_EQ(S_OK, CLSIDFromProgID(u"SkinCrafter.SCSkin3", &clsid));
    EXPECT_TRUE(IsEqualCLSID(CLSID_TestComponent, clsid));

    // HKEY_CLASSES_ROOT is the user's Software\Classes key.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Classes\\SkinCrafter.SCSkin3\\CLSID", 0,
                                           KEY_QUERY_VALUE, &key));
    RegCloseKey(key);
}

TEST_F(ProgId, UnresolvableProgIdsAreBadClassStrings) {
    registry_.RegisterProgId("Broken.Class", "not a class identifier");
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, "NoClass.Key", 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegCloseKey(key);
    for (const char16_t* progId : {u"SkinCrafter.SCSkin3", u"Broken.Class", u"NoClass.Key", u"", u"NoClass.Key\\.."}) {
        SCOPED_TRACE(std::string(progId, progId + std::char_traits<char16_t>::length(progId)));
        CLSID clsid = CLSID_TestComponent;
        EXPECT_EQ(CO_E_CLASSSTRING, CLSIDFromProgID(progId, &clsid));
        EXPECT_TRUE(IsEqualCLSID(CLSID_NULL, clsid));
    }
    CLSID clsid;
    EXPECT_EQ(E_INVALIDARG, CLSIDFromProgID(nullptr, &clsid));
    EXPECT_EQ(E_INVALIDARG, CLSIDFromProgID(u"SkinCrafter.SCSkin3", nullptr));
}

TEST_F(ProgId, RegisteredClassWithoutServerCannotBeCreated) {
    registry_.RegisterProgId("SkinCrafter.SCSkin3", kTestComponentText);
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    CLSID clsid;
    ASSERT_EQ(S_OK, CLSIDFromProgID(u"SkinCrafter.SCSkin3", &clsid));
    void* object = &clsid;
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, &object));
    EXPECT_EQ(nullptr, object);

    ComponentLog log;
    RegisterTestServer(clsid, log, false);
    ASSERT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, &object));
    static_cast<IDispatch*>(object)->Release();
    qv::com::RevokeInProcessServer(clsid);
    CoUninitialize();
    EXPECT_EQ(0, log.alive);
}

} // namespace
} // namespace qv::test
