// The registry kept in the user's file: what happens when the file is missing, broken, cannot
// be written, or is changed by other programs at the same time.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/registry_store.h"
#include "tests/platform/registry/processes.h"

namespace {

using qv::test::ListDir;
using qv::test::ReadFile;
using qv::test::WriteFile;

class RegistryFile : public testing::Test {
protected:
    void SetUp() override {
        config_ = dir_.path() + "/config";
        folder_ = config_ + "/quorva-velocitor";
        file_ = folder_ + "/registry";
        qv::test::SetEnvironment("XDG_CONFIG_HOME", config_.c_str());
        StartProgram();
    }
    void TearDown() override { qv::host::SetRegistryStore(nullptr); }

    // The registry as the next program to start sees it: the default store, found anew.
    void StartProgram() {
        qv::host::SetRegistryStore(nullptr);
        ASSERT_EQ(file_, qv::host::DefaultRegistryPath());
    }

    LONG SetDword(const char* name, DWORD value) {
        return RegSetValueExA(HKEY_CURRENT_USER, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                              sizeof value);
    }
    // The value, or the error code when it cannot be read.
    DWORD GetDword(const char* name) {
        DWORD value = 0, size = sizeof value;
        const LONG r = RegQueryValueExA(HKEY_CURRENT_USER, name, nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(&value), &size);
        return r == ERROR_SUCCESS ? value : 0xE0000000u | static_cast<DWORD>(r);
    }
    static constexpr DWORD NotFound = 0xE0000000u | ERROR_FILE_NOT_FOUND;

    qv::test::ScratchDir dir_;
    std::string config_, folder_, file_;
};

TEST_F(RegistryFile, AMissingFileIsAnEmptyRegistryAndTheFirstWriteCreatesIt) {
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key));
    EXPECT_EQ(NotFound, GetDword("Anything"));
    EXPECT_FALSE(qv::test::Exists(config_)) << "reading created something";

    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Quorva\\Quorva", &key));
    const char text[] = "Quorva";
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text));
    RegCloseKey(key);
    EXPECT_EQ((std::vector<std::string>{"registry", "registry.lock"}), ListDir(folder_)) << "temporary files left";
    const std::string written = ReadFile(file_);
    EXPECT_NE(std::string::npos, written.find("[HKEY_CURRENT_USER\\Software\\Quorva\\Quorva]\n\"Name\"=sz:\"Quorva\\0\"\n"))
        << written;
}

TEST_F(RegistryFile, ABrokenFileIsKeptAsideAndTheRegistryStartsEmpty) {
    qv::test::MakeDirectory(folder_);
    WriteFile(file_, "this is not a registry\n");
    EXPECT_EQ(NotFound, GetDword("Anything"));
    std::vector<std::string> names = ListDir(folder_);
    ASSERT_EQ(2u, names.size());
    EXPECT_EQ(0u, names[0].rfind("registry.corrupt-", 0)) << names[0];
    EXPECT_EQ("this is not a registry\n", ReadFile(folder_ + "/" + names[0]));
    EXPECT_EQ("registry.lock", names[1]);

    ASSERT_EQ(ERROR_SUCCESS, SetDword("Fresh", 1));
    EXPECT_EQ(1u, GetDword("Fresh"));

    // Broken again, within the same second: the first copy is not overwritten.
    WriteFile(file_, "[broken again\n");
    StartProgram();
    EXPECT_EQ(NotFound, GetDword("Fresh"));
    names = ListDir(folder_);
    ASSERT_EQ(3u, names.size());
    std::vector<std::string> kept;
    for (const std::string& name : names) {
        if (name != "registry.lock") kept.push_back(ReadFile(folder_ + "/" + name));
    }
    EXPECT_EQ((std::vector<std::string>{"this is not a registry\n", "[broken again\n"}), kept);
}

TEST_F(RegistryFile, AWriteThatCannotBeStoredFailsAndChangesNothing) {
    // The configuration folder's path is a regular file: no one, root included, can create the folder.
    WriteFile(config_, "not a folder");
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_CANTWRITE, RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Quorva", &key));
    EXPECT_EQ(ERROR_CANTWRITE, SetDword("Value", 1));
    EXPECT_EQ(NotFound, GetDword("Value"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quorva", 0, KEY_READ, &key));
    EXPECT_EQ("not a folder", ReadFile(config_));
}

TEST_F(RegistryFile, AWriteThatCannotTakeTheLockFailsAndKeepsTheStoredValues) {
    ASSERT_EQ(ERROR_SUCCESS, SetDword("Value", 1));
    const std::string before = ReadFile(file_);
    // A folder where the lock file belongs cannot be opened for writing, even by root.
    ASSERT_EQ(0, std::remove((file_ + ".lock").c_str()));
    qv::test::MakeDirectory(file_ + ".lock");

    EXPECT_EQ(ERROR_CANTWRITE, SetDword("Value", 2));
    EXPECT_EQ(ERROR_CANTWRITE, SetDword("Other", 3));
    EXPECT_EQ(1u, GetDword("Value"));
    EXPECT_EQ(NotFound, GetDword("Other"));
    EXPECT_EQ(before, ReadFile(file_));
    StartProgram();
    EXPECT_EQ(1u, GetDword("Value"));
}

TEST_F(RegistryFile, AnotherProgramsChangeShowsAtTheNextRead) {
    ASSERT_EQ(ERROR_SUCCESS, SetDword("Shared", 1));
    ASSERT_EQ(1u, GetDword("Shared"));

    const std::vector<int> codes = qv::test::RunTogether({[this] { return SetDword("Shared", 2) == ERROR_SUCCESS ? 0 : 1; }});
    ASSERT_EQ(std::vector<int>{0}, codes);
    EXPECT_EQ(2u, GetDword("Shared"));

    // A person edits the file by hand.
    WriteFile(file_, "[HKEY_CURRENT_USER]\n\"Shared\"=dword:0x00000003\n\"ByHand\"=sz:\"yes\\0\"\n");
    EXPECT_EQ(3u, GetDword("Shared"));
}

TEST_F(RegistryFile, TwoProgramsWritingAtOnceLoseNothing) {
    constexpr int kWrites = 300;
    auto writer = [](char program) {
        return [program] {
            HKEY key = nullptr;
            if (RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Quorva\\Race", &key) != ERROR_SUCCESS) return 2;
            for (DWORD i = 0; i < kWrites; ++i) {
                const std::string name = std::string(1, program) + std::to_string(i);
                if (RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&i), sizeof i) !=
                    ERROR_SUCCESS) {
                    return 1;
                }
            }
            return 0;
        };
    };
    ASSERT_EQ((std::vector<int>{0, 0}), qv::test::RunTogether({writer('a'), writer('b')}));

    StartProgram();
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quorva\\Race", 0, KEY_READ, &key));
    int missing = 0;
    for (char program : {'a', 'b'}) {
        for (DWORD i = 0; i < kWrites; ++i) {
            const std::string name = std::string(1, program) + std::to_string(i);
            DWORD value = 0, size = sizeof value;
            if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
                    ERROR_SUCCESS ||
                value != i) {
                ++missing;
            }
        }
    }
    EXPECT_EQ(0, missing);
    RegCloseKey(key);
}

TEST(RegistryPath, FollowsTheXdgConfigFolder) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/data/cfg", "/home/u", "/data/cfg/quorva-velocitor/registry"},
        {nullptr, "/home/u", "/home/u/.config/quorva-velocitor/registry"},
        {"", "/home/u", "/home/u/.config/quorva-velocitor/registry"},
        {"relative/cfg", "/home/u", "/home/u/.config/quorva-velocitor/registry"},
    };
    for (const Case& c : cases) {
        qv::test::SetEnvironment("XDG_CONFIG_HOME", c.xdg);
        qv::test::SetEnvironment("HOME", c.home);
        EXPECT_EQ(c.expected, qv::host::DefaultRegistryPath()) << (c.xdg ? c.xdg : "(unset)");
    }
}

} // namespace
