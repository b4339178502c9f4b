#include "SystemTest.h"

#include "TestComponent.h"
#include "com/inproc_server.h"

namespace qv::test {
namespace {

class SkinEngine : public SystemTest {};

TEST_F(SkinEngine, WithoutTheComponentTheProgramStartsSilentlyWithTheStandardLook) {
    StartProgram();
    EXPECT_EQ(TopLevels("Quorva Velocitor").size(), 1u);
    EXPECT_EQ(FindWindowA("#32770", "Error"), nullptr);
}

TEST_F(SkinEngine, TheCallsReachARegisteredComponentInOrder) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "SkinCrafter.SCSkin3\\CLSID", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kTestComponentText),
                   static_cast<DWORD>(strlen(kTestComponentText) + 1));
    RegCloseKey(key);
    ComponentLog log;
    RegisterTestServer(CLSID_TestComponent, log, true);
    StartProgram();
    std::vector<std::string> invokes;
    for (const std::string& e : log.events)
        if (e.rfind("Invoke", 0) == 0 || e == "Run")
            invokes.push_back(e);
    EXPECT_EQ(invokes, (std::vector<std::string>{"Run", "Invoke 17 method I4:0", "Invoke 1 method I4:1",
                                                 "Invoke 2 method BSTR:Skin.skf", "Invoke 18 method"}));
    qv::com::RevokeInProcessServer(CLSID_TestComponent);
}

} // namespace
} // namespace qv::test
