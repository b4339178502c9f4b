// The automation client against a recording component registered as "SkinCrafter.SCSkin3", and
// without one.
#include "framework/AfxOle.h"
#include "framework/COleDispatchDriver.h"

#include "com/inproc_server.h"
#include "tests/platform/com/TestComponent.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

using Events = std::vector<std::string>;

// The start-up calls of the product's skin component, as generated wrappers make them.
void ApplySkin(COleDispatchDriver& skin) {
    static const BYTE parmsI4[] = VTS_I4;
    static const BYTE parmsBstr[] = VTS_BSTR;
    static const BYTE parmsNone[] = VTS_NONE;
    skin.InvokeHelper(17, DISPATCH_METHOD, VT_EMPTY, nullptr, parmsI4, 0);
    skin.InvokeHelper(1, DISPATCH_METHOD, VT_EMPTY, nullptr, parmsI4, 1);
    skin.InvokeHelper(2, DISPATCH_METHOD, VT_EMPTY, nullptr, parmsBstr, "Skin.skf");
    skin.InvokeHelper(18, DISPATCH_METHOD, VT_EMPTY, nullptr, parmsNone);
}

class OleDispatch : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(AfxOleInit());
        registry_.RegisterProgId("SkinCrafter.SCSkin3", kTestComponentText);
    }
    void TearDown() override {
        qv::com::RevokeInProcessServer(CLSID_TestComponent);
        OleUninitialize();
        EXPECT_EQ(0, log_.alive) << "a reference was leaked or released twice";
    }

    ScratchRegistry registry_;
    ComponentLog log_;
};

TEST_F(OleDispatch, CallsArriveInOrderWithTheirArguments) {
    RegisterTestServer(CLSID_TestComponent, log_, true);
    {
        COleDispatchDriver skin;
        ASSERT_TRUE(skin.CreateDispatch("SkinCrafter.SCSkin3"));
        ASSERT_NE(nullptr, skin.m_lpDispatch);
        ApplySkin(skin);
    }
    // Created, put into the running state, then each call by its dispatch identifier, with no
    // result asked for.
    EXPECT_EQ((Events{"CreateInstance", "Run", "Invoke 17 method I4:0", "Invoke 1 method I4:1",
                      "Invoke 2 method BSTR:Skin.skf", "Invoke 18 method"}),
              log_.events);
}

TEST_F(OleDispatch, ArgumentsArePositionalLastFirstInTheArray) {
    RegisterTestServer(CLSID_TestComponent, log_, false);
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch("SkinCrafter.SCSkin3"));
    static const BYTE parms[] = VTS_BSTR VTS_I2 VTS_BOOL VTS_I4;
    driver.InvokeHelper(5, DISPATCH_METHOD, VT_EMPTY, nullptr, parms, "caf\xE9", 3, TRUE, -2);
    static const BYTE put[] = VTS_I4;
    driver.InvokeHelper(6, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, put, 9);
    static const BYTE none[] = VTS_NONE;
    LONG result = 0;
    driver.InvokeHelper(7, DISPATCH_PROPERTYGET, VT_I4, &result, none);
    EXPECT_EQ(42, result);
    EXPECT_EQ((Events{"CreateInstance", "Invoke 5 method BSTR:caf<e9> I2:3 BOOL:-1 I4:-2",
                      "Invoke 6 put I4:9 named:-3", "Invoke 7 get result"}),
              log_.events);
}

TEST_F(OleDispatch, WithoutAServerCreationFailsAndCallsDoNothing) {
    COleDispatchDriver skin;
    EXPECT_FALSE(skin.CreateDispatch("SkinCrafter.SCSkin3"));
    EXPECT_EQ(nullptr, skin.m_lpDispatch);
    EXPECT_FALSE(skin.CreateDispatch("Unknown.ProgId"));
    EXPECT_EQ(nullptr, skin.m_lpDispatch);
    ApplySkin(skin);
    EXPECT_TRUE(log_.events.empty());
}

TEST_F(OleDispatch, FailingToRunLeavesNothingHeld) {
    RegisterTestServer(CLSID_TestComponent, log_, true);
    log_.runResult = E_FAIL;
    COleDispatchDriver skin;
    EXPECT_FALSE(skin.CreateDispatch("SkinCrafter.SCSkin3"));
    EXPECT_EQ(nullptr, skin.m_lpDispatch);
    EXPECT_EQ(1, log_.alive); // only the factory
}

TEST_F(OleDispatch, AttachDetachAndRelease) {
    RegisterTestServer(CLSID_TestComponent, log_, false);
    COleDispatchDriver owner;
    ASSERT_TRUE(owner.CreateDispatch("SkinCrafter.SCSkin3"));
    LPDISPATCH dispatch = owner.DetachDispatch();
    EXPECT_EQ(nullptr, owner.m_lpDispatch);
    {
        // Without auto-release the driver borrows the interface.
        COleDispatchDriver borrower(dispatch, FALSE);
        COleDispatchDriver copy(borrower); // a copy holds a reference of its own
    }
    EXPECT_EQ(2, log_.alive);
    owner.AttachDispatch(dispatch);
    owner.ReleaseDispatch();
    EXPECT_EQ(nullptr, owner.m_lpDispatch);
    EXPECT_EQ(1, log_.alive);
}

TEST(AfxOle, ControlContainerIsRecorded) {
    EXPECT_FALSE(AfxIsControlContainerEnabled());
    AfxEnableControlContainer();
    EXPECT_TRUE(AfxIsControlContainerEnabled());
}

} // namespace
} // namespace qv::test
