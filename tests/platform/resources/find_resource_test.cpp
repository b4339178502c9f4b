// Finding resources of the main module by type and name, and the module handle itself.
#include "test_resources.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ModuleHandle, TheProgramIsTheOnlyModule) {
    HMODULE self = GetModuleHandleA(nullptr);
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), self);
    EXPECT_EQ(GetModuleHandleA("resources_test."), self) << "a trailing dot means no extension";
    EXPECT_EQ(GetModuleHandleA("Z:\\somewhere\\RESOURCES_TEST."), self);

    SetLastError(0);
    EXPECT_EQ(GetModuleHandleA("resources_test"), nullptr) << "without an extension it is a .dll";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(GetModuleHandleA("kernel32.dll"), nullptr);
}

struct Found {
    const char* what;
    LPCSTR type;
    LPCSTR name;
};

TEST(FindResource, FindsEachKindByOrdinalOrName) {
    const Found cases[] = {
        {"dialog", RT_DIALOG, MAKEINTRESOURCE(IDD_CLASSIC)},
        {"dialog by #number", RT_DIALOG, "#200"},
        {"string block", RT_STRING, MAKEINTRESOURCE(IDS_SHORT / 16 + 1)},
        {"icon directory", RT_GROUP_ICON, MAKEINTRESOURCE(IDI_RGBA)},
        {"menu", RT_MENU, MAKEINTRESOURCE(IDM_TEST)},
        {"named data", RT_RCDATA, "NamedData"},
        {"named data in another case", RT_RCDATA, "NAMEDDATA"},
        {"custom type by name", "customtype", MAKEINTRESOURCE(500)},
        {"custom type by #number", "CustomType", "#500"},
    };
    HMODULE self = GetModuleHandleA(nullptr);
    for (const Found& c : cases) {
        for (HMODULE module : {self, HMODULE{}}) {
            HRSRC found = FindResourceA(module, c.name, c.type);
            ASSERT_NE(found, nullptr) << c.what;
            HGLOBAL loaded = LoadResource(module, found);
            ASSERT_NE(loaded, nullptr) << c.what;
            EXPECT_NE(LockResource(loaded), nullptr) << c.what;
            EXPECT_GT(SizeofResource(module, found), 0u) << c.what;
        }
    }
}

TEST(FindResource, GivesTheResourceBytes) {
    HRSRC found = FindResourceA(nullptr, "NamedData", RT_RCDATA);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(SizeofResource(nullptr, found), 3u);
    EXPECT_EQ(std::memcmp(LockResource(LoadResource(nullptr, found)), "abc", 3), 0);

    found = FindResourceA(nullptr, MAKEINTRESOURCE(500), "CUSTOMTYPE");
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(SizeofResource(nullptr, found), 2u);
    auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    EXPECT_EQ(bytes[0] | bytes[1] << 8, 0x1234);
}

struct Missing {
    const char* what;
    HMODULE module;
    LPCSTR type;
    LPCSTR name;
    DWORD error;
};

TEST(FindResource, FailsWithTheReason) {
    auto other = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x10000000));
    const Missing cases[] = {
        {"unknown name", nullptr, RT_DIALOG, MAKEINTRESOURCE(999), ERROR_RESOURCE_NAME_NOT_FOUND},
        {"unknown string name", nullptr, RT_RCDATA, "Nothing", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"unknown type", nullptr, RT_BITMAP, MAKEINTRESOURCE(IDD_CLASSIC), ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"no name", nullptr, RT_DIALOG, nullptr, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"# without digits", nullptr, RT_DIALOG, "#", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"another module", other, RT_DIALOG, MAKEINTRESOURCE(IDD_CLASSIC), ERROR_RESOURCE_DATA_NOT_FOUND},
    };
    for (const Missing& c : cases) {
        SetLastError(0);
        EXPECT_EQ(FindResourceA(c.module, c.name, c.type), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
    }
}

TEST(FindResource, RejectsHandlesThatAreNotResources) {
    int notAResource = 0;
    auto bogus = reinterpret_cast<HRSRC>(&notAResource);
    EXPECT_EQ(LoadResource(nullptr, bogus), nullptr);
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, bogus), 0u);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
    EXPECT_EQ(LockResource(nullptr), nullptr);
}

} // namespace
