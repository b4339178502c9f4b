// How the registry functions behave, as a program on Windows sees them.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/fakes/fake_registry_store.h"
#include "host/registry_store.h"
#include "tests/platform/registry/processes.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

class RegistryApi : public testing::Test {
protected:
    void SetUp() override {
        UseFreshStore();
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quorva\\Test", 0, nullptr,
                                                 REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key_, nullptr));
    }
    void TearDown() override {
        RegCloseKey(key_);
        qv::host::SetRegistryStore(nullptr);
    }

    // A store that has seen nothing yet: what the next program to start would read.
    void UseFreshStore() { qv::host::SetRegistryStore(qv::host::MakeRegistryFileStore(dir_.path() + "/registry")); }

    LONG Set(HKEY key, const char* name, DWORD type, const Bytes& data) {
        return RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
    }

    // The value's type and bytes, or the failure code as the type with no bytes.
    std::pair<DWORD, Bytes> Get(HKEY key, const char* name) {
        DWORD type = 0, size = 0;
        if (LONG r = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size); r != ERROR_SUCCESS) {
            return {static_cast<DWORD>(r), {}};
        }
        Bytes data(size);
        if (LONG r = RegQueryValueExA(key, name, nullptr, &type, data.data(), &size); r != ERROR_SUCCESS) {
            return {static_cast<DWORD>(r), {}};
        }
        data.resize(size);
        return {type, data};
    }

    HKEY Open(HKEY parent, const char* path, REGSAM access) {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(parent, path, 0, access, &key)) << path;
        return key;
    }

    std::vector<std::string> SubkeyNames(HKEY key) {
        std::vector<std::string> names;
        for (DWORD i = 0;; ++i) {
            char name[256];
            DWORD size = sizeof name;
            const LONG r = RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
            if (r != ERROR_SUCCESS) {
                EXPECT_EQ(ERROR_NO_MORE_ITEMS, r);
                return names;
            }
            names.emplace_back(name, size);
        }
    }

    std::vector<std::string> ValueNames(HKEY key) {
        std::vector<std::string> names;
        for (DWORD i = 0;; ++i) {
            char name[256];
            DWORD size = sizeof name;
            const LONG r = RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
            if (r != ERROR_SUCCESS) {
                EXPECT_EQ(ERROR_NO_MORE_ITEMS, r);
                return names;
            }
            names.emplace_back(name, size);
        }
    }

    qv::test::ScratchDir dir_;
    HKEY key_ = nullptr;
};

TEST_F(RegistryApi, MissingKeysAndValuesAreNotFound) {
    HKEY opened = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(key_, "Missing", 0, KEY_READ, &opened));
    EXPECT_EQ(nullptr, opened);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quorva\\Missing\\Deeper", 0,
                                                  KEY_READ, &opened));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key_, "Missing", nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key_, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueA(key_, "Missing"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteKeyA(key_, "Missing"));
}

TEST_F(RegistryApi, QueryAnswersEveryCombinationOfTypeBufferAndSize) {
    ASSERT_EQ(ERROR_SUCCESS, Set(key_, "Name", REG_SZ, B(std::string_view("hello\0", 6))));
    struct Case {
        const char* what;
        bool withType;
        int bufferSize; // -1: no buffer
        bool withSize;
        LONG result;
        DWORD reportedSize;
        bool copied;
    };
    const Case cases[] = {
        {"presence only", false, -1, false, ERROR_SUCCESS, 0, false},
        {"type only", true, -1, false, ERROR_SUCCESS, 0, false},
        {"size only", false, -1, true, ERROR_SUCCESS, 6, false},
        {"exact buffer", true, 6, true, ERROR_SUCCESS, 6, true},
        {"large buffer", true, 100, true, ERROR_SUCCESS, 6, true},
        {"small buffer", true, 5, true, ERROR_MORE_DATA, 6, false},
        {"empty buffer", true, 0, true, ERROR_MORE_DATA, 6, false},
        {"buffer without size", true, 6, false, ERROR_INVALID_PARAMETER, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DWORD type = 0xDEAD;
        Bytes buffer(c.bufferSize < 0 ? 1 : c.bufferSize + 1, 0xCC);
        DWORD size = c.bufferSize < 0 ? 0 : static_cast<DWORD>(c.bufferSize);
        EXPECT_EQ(c.result, RegQueryValueExA(key_, "Name", nullptr, c.withType ? &type : nullptr,
                                             c.bufferSize < 0 ? nullptr : buffer.data(), c.withSize ? &size : nullptr));
        if (c.withSize && c.result != ERROR_INVALID_PARAMETER) {
            EXPECT_EQ(c.reportedSize, size);
        }
        if (c.withType && c.result != ERROR_INVALID_PARAMETER) {
            EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
        }
        if (c.copied) {
            EXPECT_EQ(B(std::string_view("hello\0", 6)), Bytes(buffer.begin(), buffer.begin() + 6));
            EXPECT_EQ(0xCC, buffer[6]) << "wrote past the data";
        } else if (c.bufferSize >= 0) {
            EXPECT_EQ(Bytes(buffer.size(), 0xCC), buffer) << "touched the buffer";
        }
    }
}

TEST_F(RegistryApi, EveryTypeKeepsItsExactBytesAcrossPrograms) {
    struct Case {
        const char* name;
        DWORD type;
        Bytes data;
    };
    const std::vector<Case> cases = {
        {"Text", REG_SZ, B(std::string_view("hello\0", 6))},
        {"TextWithoutNul", REG_SZ, B("hello")},
        {"EmptyText", REG_SZ, B(std::string_view("\0", 1))},
        {"Awkward", REG_SZ, B(std::string_view("a \"q\" \\ [x] = %20 \n\t\r caf\xe9 \x80\0", 29))},
        {"Expand", REG_EXPAND_SZ, B(std::string_view("%HOME%\\x\0", 9))},
        {"Multi", REG_MULTI_SZ, B(std::string_view("one\0two\0\0", 9))},
        {"Binary", REG_BINARY, Bytes{0x00, 0xFF, 0x10, 0x00}},
        {"NoData", REG_BINARY, Bytes{}},
        {"Dword", REG_DWORD, Bytes{0x2A, 0x00, 0x00, 0x80}},
        {"ShortDword", REG_DWORD, Bytes{0x01, 0x02}},
        {"BigEndian", REG_DWORD_BIG_ENDIAN, Bytes{0x12, 0x34, 0x56, 0x78}},
        {"Qword", REG_QWORD, Bytes{1, 2, 3, 4, 5, 6, 7, 0xFF}},
        {"None", REG_NONE, Bytes{0x01}},
        {"Private type", 0x12345, B("x")},
        {"", REG_SZ, B(std::string_view("default\0", 8))},
    };
    for (const Case& c : cases) ASSERT_EQ(ERROR_SUCCESS, Set(key_, c.name, c.type, c.data)) << c.name;
    for (int program = 0; program < 2; ++program) {
        for (const Case& c : cases) {
            EXPECT_EQ(std::make_pair(c.type, c.data), Get(key_, c.name)) << c.name << " in program " << program;
        }
        // The next program starts from the file alone.
        UseFreshStore();
    }
    std::vector<std::string> expectedOrder;
    for (const Case& c : cases) expectedOrder.push_back(c.name);
    EXPECT_EQ(expectedOrder, ValueNames(key_));
}

TEST_F(RegistryApi, NamesIgnoreCaseButKeepTheSpellingTheyWereCreatedWith) {
    HKEY created = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(key_, "MiXed", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr));
    RegCloseKey(created);
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(key_, "MIXED", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
    ASSERT_EQ(ERROR_SUCCESS, Set(created, "ValueName", REG_DWORD, Bytes{1, 0, 0, 0}));
    ASSERT_EQ(ERROR_SUCCESS, Set(created, "VALUENAME", REG_DWORD, Bytes{2, 0, 0, 0}));
    RegCloseKey(created);

    HKEY opened = Open(HKEY_CURRENT_USER, "SOFTWARE\\quorva\\test\\mixed", KEY_READ);
    EXPECT_EQ(std::make_pair(DWORD{REG_DWORD}, Bytes{2, 0, 0, 0}), Get(opened, "valuename"));
    EXPECT_EQ(std::vector<std::string>{"ValueName"}, ValueNames(opened));
    EXPECT_EQ(std::vector<std::string>{"MiXed"}, SubkeyNames(key_));
    RegCloseKey(opened);
    // Windows-1252 letters beyond ASCII fold too.
    ASSERT_EQ(ERROR_SUCCESS, Set(key_, "Caf\xc9", REG_DWORD, Bytes{3, 0, 0, 0}));
    EXPECT_EQ(std::make_pair(DWORD{REG_DWORD}, Bytes{3, 0, 0, 0}), Get(key_, "caf\xe9"));
}

TEST_F(RegistryApi, EachOperationNeedsItsAccessRight) {
    ASSERT_EQ(ERROR_SUCCESS, Set(key_, "Existing", REG_DWORD, Bytes{7, 0, 0, 0}));
    HKEY child = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(key_, "Child", &child));
    RegCloseKey(child);

    int serial = 0;
    const std::vector<std::pair<const char*, std::function<LONG(HKEY)>>> operations = {
        {"query", [](HKEY k) { return RegQueryValueExA(k, "Existing", nullptr, nullptr, nullptr, nullptr); }},
        {"set", [this](HKEY k) { return Set(k, "Existing", REG_DWORD, Bytes{8, 0, 0, 0}); }},
        {"delete value", [](HKEY k) { return RegDeleteValueA(k, "Existing"); }},
        {"create subkey",
         [&serial](HKEY k) {
             HKEY made = nullptr;
             const std::string name = "New" + std::to_string(++serial);
             const LONG r = RegCreateKeyExA(k, name.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &made, nullptr);
             RegCloseKey(made);
             return r;
         }},
        {"enumerate subkeys",
         [](HKEY k) {
             char name[64];
             DWORD size = sizeof name;
             return RegEnumKeyExA(k, 0, name, &size, nullptr, nullptr, nullptr, nullptr);
         }},
        {"enumerate values",
         [](HKEY k) {
             char name[64];
             DWORD size = sizeof name;
             return RegEnumValueA(k, 0, name, &size, nullptr, nullptr, nullptr, nullptr);
         }},
    };
    constexpr LONG OK = ERROR_SUCCESS, NO = ERROR_ACCESS_DENIED;
    struct Case {
        const char* rights;
        REGSAM access;
        LONG expected[6]; // in the order of `operations`
    };
    const Case cases[] = {
        {"KEY_READ", KEY_READ, {OK, NO, NO, NO, OK, OK}},
        {"KEY_WRITE", KEY_WRITE, {NO, OK, OK, OK, NO, NO}},
        {"KEY_QUERY_VALUE", KEY_QUERY_VALUE, {OK, NO, NO, NO, NO, OK}},
        {"KEY_SET_VALUE", KEY_SET_VALUE, {NO, OK, OK, NO, NO, NO}},
        {"KEY_CREATE_SUB_KEY", KEY_CREATE_SUB_KEY, {NO, NO, NO, OK, NO, NO}},
        {"KEY_ENUMERATE_SUB_KEYS", KEY_ENUMERATE_SUB_KEYS, {NO, NO, NO, NO, OK, NO}},
        {"KEY_ALL_ACCESS", KEY_ALL_ACCESS, {OK, OK, OK, OK, OK, OK}},
        {"GENERIC_READ", GENERIC_READ, {OK, NO, NO, NO, OK, OK}},
    };
    for (const Case& c : cases) {
        for (size_t i = 0; i < operations.size(); ++i) {
            SCOPED_TRACE(std::string(c.rights) + ": " + operations[i].first);
            ASSERT_EQ(ERROR_SUCCESS, Set(key_, "Existing", REG_DWORD, Bytes{7, 0, 0, 0}));
            HKEY limited = Open(HKEY_CURRENT_USER, "Software\\Quorva\\Test", c.access);
            EXPECT_EQ(c.expected[i], operations[i].second(limited));
            if (c.expected[i] == NO) {
                EXPECT_EQ(std::make_pair(DWORD{REG_DWORD}, Bytes{7, 0, 0, 0}), Get(key_, "Existing"));
            }
            RegCloseKey(limited);
        }
    }
    // Opening an existing subkey through RegCreateKeyExA creates nothing, so it needs no right.
    HKEY readOnly = Open(key_, "", KEY_READ);
    DWORD disposition = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(readOnly, "Child", 0, nullptr, 0, KEY_READ, nullptr, &child, &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
    RegCloseKey(child);
    RegCloseKey(readOnly);
}

TEST_F(RegistryApi, BadHandlesAreRefusedWithoutHarm) {
    HKEY closed = Open(key_, "", KEY_ALL_ACCESS);
    ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(closed));
    const HKEY badHandles[] = {closed, reinterpret_cast<HKEY>(0x4242), nullptr, reinterpret_cast<HKEY>(-1)};
    for (HKEY bad : badHandles) {
        SCOPED_TRACE(reinterpret_cast<uintptr_t>(bad));
        HKEY out = nullptr;
        char name[16];
        DWORD size = sizeof name;
        BYTE data[4] = {1, 0, 0, 0};
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegOpenKeyExA(bad, "x", 0, KEY_READ, &out));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegOpenKeyA(bad, nullptr, &out));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegCreateKeyExA(bad, "x", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &out, nullptr));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegCreateKeyA(bad, "x", &out));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryValueExA(bad, "x", nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegSetValueExA(bad, "x", 0, REG_DWORD, data, sizeof data));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegDeleteValueA(bad, "x"));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegDeleteKeyA(bad, "x"));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegEnumKeyExA(bad, 0, name, &size, nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegEnumValueA(bad, 0, name, &size, nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(bad));
    }
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_CURRENT_USER)) << "predefined keys need no closing";
    EXPECT_EQ(ERROR_SUCCESS, Set(HKEY_CURRENT_USER, "StillUsable", REG_DWORD, Bytes{1, 0, 0, 0}));
}

TEST_F(RegistryApi, EnumerationListsSubkeysByNameAndValuesInOrderSet) {
    for (const char* name : {"beta", "Alpha", "gamma"}) {
        HKEY k = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(key_, name, &k));
        RegCloseKey(k);
    }
    EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "gamma"}), SubkeyNames(key_));
    for (const char* name : {"z", "a", "m"}) ASSERT_EQ(ERROR_SUCCESS, Set(key_, name, REG_BINARY, Bytes{1, 2, 3}));
    EXPECT_EQ((std::vector<std::string>{"z", "a", "m"}), ValueNames(key_));

    char name[8];
    DWORD nameSize = 5; // "gamma" needs room for its NUL
    EXPECT_EQ(ERROR_MORE_DATA, RegEnumKeyExA(key_, 2, name, &nameSize, nullptr, nullptr, nullptr, nullptr));
    nameSize = sizeof name;
    BYTE data[2];
    DWORD dataSize = sizeof data;
    DWORD type = 0;
    EXPECT_EQ(ERROR_MORE_DATA, RegEnumValueA(key_, 0, name, &nameSize, nullptr, &type, data, &dataSize));
    EXPECT_EQ(3u, dataSize);
    nameSize = sizeof name;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, RegEnumValueA(key_, 3, name, &nameSize, nullptr, nullptr, nullptr, nullptr));
}

TEST_F(RegistryApi, DeleteKeyRemovesOnlyKeysWithoutSubkeys) {
    HKEY deep = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(key_, "Parent\\Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &deep,
                                             &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyA(key_, "Parent"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(key_, "parent\\CHILD"));
    EXPECT_EQ(ERROR_KEY_DELETED, RegQueryValueExA(deep, "x", nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_KEY_DELETED, Set(deep, "x", REG_DWORD, Bytes{1, 0, 0, 0}));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(deep));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(key_, "Parent"));
    EXPECT_EQ(std::vector<std::string>{}, SubkeyNames(key_));
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyA(HKEY_CLASSES_ROOT, ""));
}

TEST_F(RegistryApi, ClassesRootIsTheUsersSoftwareClasses) {
    HKEY progId = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, "Quorva.Document\\CLSID", &progId));
    ASSERT_EQ(ERROR_SUCCESS, Set(progId, nullptr, REG_SZ, B(std::string_view("{1234}\0", 7))));
    RegCloseKey(progId);
    HKEY viaUser = Open(HKEY_CURRENT_USER, "Software\\Classes\\Quorva.Document\\CLSID", KEY_READ);
    EXPECT_EQ(std::make_pair(DWORD{REG_SZ}, B(std::string_view("{1234}\0", 7))), Get(viaUser, ""));
    RegCloseKey(viaUser);

    HKEY classes = Open(HKEY_CURRENT_USER, "Software\\Classes", KEY_ALL_ACCESS);
    ASSERT_EQ(ERROR_SUCCESS, Set(classes, "FromUser", REG_DWORD, Bytes{5, 0, 0, 0}));
    RegCloseKey(classes);
    EXPECT_EQ(std::make_pair(DWORD{REG_DWORD}, Bytes{5, 0, 0, 0}), Get(HKEY_CLASSES_ROOT, "FromUser"));
}

TEST_F(RegistryApi, PathsAreBackslashSeparated) {
    HKEY made = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(key_, "A\\B\\C", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
    RegCloseKey(made);
    EXPECT_EQ(std::vector<std::string>{"A"}, SubkeyNames(key_));
    HKEY middle = Open(key_, "a\\b\\", KEY_READ);
    EXPECT_EQ(std::vector<std::string>{"C"}, SubkeyNames(middle));
    RegCloseKey(middle);
    HKEY out = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(key_, "A\\\\B", 0, KEY_READ, &out));
    EXPECT_NE(ERROR_SUCCESS, RegCreateKeyExA(key_, "\\A", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &out, nullptr));
    EXPECT_EQ(std::vector<std::string>{"A"}, SubkeyNames(key_));
}

TEST_F(RegistryApi, TheDefaultValueHasAnEmptyOrNullName) {
    ASSERT_EQ(ERROR_SUCCESS, Set(key_, nullptr, REG_SZ, B(std::string_view("d\0", 2))));
    EXPECT_EQ(std::make_pair(DWORD{REG_SZ}, B(std::string_view("d\0", 2))), Get(key_, ""));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(key_, ""));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key_, nullptr, nullptr, nullptr, nullptr, nullptr));
}

TEST_F(RegistryApi, MachineKeysAreEmptyAndCannotBeWritten) {
    HKEY out = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &out));
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\Quorva", &out));
    EXPECT_EQ(ERROR_ACCESS_DENIED, Set(HKEY_USERS, "x", REG_DWORD, Bytes{1, 0, 0, 0}));
    EXPECT_EQ(std::vector<std::string>{}, SubkeyNames(HKEY_LOCAL_MACHINE));
}

// A store that refuses writes: how its refusal reaches the program.
TEST(RegistryStoreRefusal, AWriteTheStoreRefusesFailsWithWindowsCodesAndChangesNothing) {
    auto owned = std::make_unique<qv::host::FakeRegistryStore>();
    qv::host::FakeRegistryStore& store = *owned;
    qv::host::SetRegistryStore(std::move(owned));
    const DWORD one = 1, two = 2;
    const auto set = [](DWORD value) {
        return RegSetValueExA(HKEY_CURRENT_USER, "V", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
    };
    ASSERT_EQ(ERROR_SUCCESS, set(one));
    const struct {
        qv::host::RegistryWrite refusal;
        LONG code;
    } cases[] = {{qv::host::RegistryWrite::Denied, ERROR_ACCESS_DENIED}, {qv::host::RegistryWrite::Failed, ERROR_CANTWRITE}};
    for (const auto& c : cases) {
        store.FailWrites(c.refusal);
        EXPECT_EQ(c.code, set(two));
        HKEY key = nullptr;
        EXPECT_EQ(c.code, RegCreateKeyA(HKEY_CURRENT_USER, "New", &key));
        DWORD value = 0, size = sizeof value;
        EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(HKEY_CURRENT_USER, "V", nullptr, nullptr,
                                                  reinterpret_cast<BYTE*>(&value), &size));
        EXPECT_EQ(one, value);
    }
    EXPECT_EQ(1, store.writes());
    qv::host::SetRegistryStore(nullptr);
}

} // namespace
