// LoadLibraryA and GetProcAddress reach the IP helper and the connection service as Windows
// programs reach them, and fail with Windows' codes for missing libraries and functions.
#include "kernel/library.h"

#include <iphlpapi.h>
#include <wininet.h>
#include <windows.h>

#include <gtest/gtest.h>

namespace {

class Library : public testing::Test {
protected:
    void TearDown() override { qv::kernel::ShowAllLibraryExports(); }
};

TEST_F(Library, FindsTheIpHelperFunctions) {
    const struct {
        const char* library;
        const char* function;
        FARPROC expected;
    } cases[] = {
        {"Iphlpapi.dll", "GetIfTable", reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&GetIfTable))},
        {"IPHLPAPI", "GetNumberOfInterfaces",
         reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&GetNumberOfInterfaces))},
        {"iphlpapi.DLL", "GetIpAddrTable", reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&GetIpAddrTable))},
        {"C:\\Windows\\System32\\wininet.dll", "InternetGetConnectedState",
         reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&InternetGetConnectedState))},
    };
    for (const auto& c : cases) {
        HMODULE module = LoadLibraryA(c.library);
        ASSERT_NE(module, nullptr) << c.library;
        EXPECT_EQ(GetProcAddress(module, c.function), c.expected) << c.function;
        EXPECT_TRUE(FreeLibrary(module));
    }
}

TEST_F(Library, FailuresCarryWindowsCodes) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA("NoSuchLibrary.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    HMODULE module = LoadLibraryA("Iphlpapi.dll");
    ASSERT_NE(module, nullptr);
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, "GetIfTable2"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddress(module, "getiftable"), nullptr) << "function names are case-sensitive";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(Library, TestsCanMakeALibraryOrAFunctionMissing) {
    qv::kernel::HideLibraryExport("Iphlpapi.dll", "GetIfTable");
    HMODULE module = LoadLibraryA("Iphlpapi.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetProcAddress(module, "GetIfTable"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_NE(GetProcAddress(module, "GetNumberOfInterfaces"), nullptr);
    FreeLibrary(module);

    qv::kernel::HideLibraryExport("iphlpapi");
    EXPECT_EQ(LoadLibraryA("Iphlpapi.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    qv::kernel::ShowAllLibraryExports();
    module = LoadLibraryA("Iphlpapi.dll");
    EXPECT_NE(module, nullptr);
    FreeLibrary(module);
}

} // namespace
