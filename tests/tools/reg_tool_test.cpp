// The reg tool: reg.exe's syntax and output, over the same registry that programs read.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/registry_store.h"
#include "tests/platform/registry/processes.h"

namespace {

using Bytes = std::vector<BYTE>;
using Args = std::vector<std::string>;

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

constexpr const char* kKey = "HKCU\\Software\\Quorva\\Quorva";
constexpr const char* kDone = "The operation completed successfully.\n";
constexpr const char* kNotFound = "ERROR: The system was unable to find the specified registry key or value.\n";

class RegTool : public testing::Test {
protected:
    void SetUp() override { qv::host::SetRegistryStore(qv::host::MakeRegistryFileStore(File())); }
    void TearDown() override { qv::host::SetRegistryStore(nullptr); }

    std::string File() const { return dir_.path() + "/quorva-velocitor/registry"; }

    qv::test::ProcessResult Reg(const Args& args, const std::string& input = "") {
        return qv::test::RunProgram(QV_REG_TOOL, args, {"XDG_CONFIG_HOME=" + dir_.path()}, input);
    }

    std::pair<DWORD, Bytes> ApiGet(const char* subkey, const char* name) {
        HKEY key = nullptr;
        if (LONG r = RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key); r != ERROR_SUCCESS) {
            return {static_cast<DWORD>(r), {}};
        }
        DWORD type = 0, size = 0;
        RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
        Bytes data(size);
        const LONG r = RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
        RegCloseKey(key);
        if (r != ERROR_SUCCESS) return {static_cast<DWORD>(r), {}};
        return {type, data};
    }

    qv::test::ScratchDir dir_;
};

TEST_F(RegTool, WhatItAddsProgramsReadAndItQueriesBack) {
    struct Case {
        Args add;              // after "add KEY"
        const char* name;      // the value's name for the API ("" for the default)
        DWORD type;
        Bytes stored;
        const char* shownLine; // reg query /v's value line
    };
    const std::vector<Case> cases = {
        {{"/v", "Name", "/d", "Hello World"}, "Name", REG_SZ, B(std::string_view("Hello World\0", 12)),
         "    Name    REG_SZ    Hello World"},
        {{"/v", "Path", "/t", "REG_EXPAND_SZ", "/d", "%HOME%\\bin"}, "Path", REG_EXPAND_SZ,
         B(std::string_view("%HOME%\\bin\0", 11)), "    Path    REG_EXPAND_SZ    %HOME%\\bin"},
        {{"/v", "List", "/t", "REG_MULTI_SZ", "/d", "one\\0two"}, "List", REG_MULTI_SZ,
         B(std::string_view("one\0two\0\0", 9)), "    List    REG_MULTI_SZ    one\\0two"},
        {{"/v", "Hashed", "/t", "reg_multi_sz", "/s", "#", "/d", "a#b#c"}, "Hashed", REG_MULTI_SZ,
         B(std::string_view("a\0b\0c\0\0", 7)), "    Hashed    REG_MULTI_SZ    a\\0b\\0c"},
        {{"/v", "Count", "/t", "REG_DWORD", "/d", "42"}, "Count", REG_DWORD, Bytes{42, 0, 0, 0},
         "    Count    REG_DWORD    0x2a"},
        {{"/v", "Max", "/t", "REG_DWORD", "/d", "0xFFFFFFFF"}, "Max", REG_DWORD, Bytes{0xFF, 0xFF, 0xFF, 0xFF},
         "    Max    REG_DWORD    0xffffffff"},
        {{"/v", "Wide", "/t", "REG_QWORD", "/d", "0x100000000"}, "Wide", REG_QWORD, Bytes{0, 0, 0, 0, 1, 0, 0, 0},
         "    Wide    REG_QWORD    0x100000000"},
        {{"/v", "Blob", "/t", "REG_BINARY", "/d", "00ff10"}, "Blob", REG_BINARY, Bytes{0x00, 0xFF, 0x10},
         "    Blob    REG_BINARY    00FF10"},
        {{"/ve", "/d", "default"}, "", REG_SZ, B(std::string_view("default\0", 8)),
         "    (Default)    REG_SZ    default"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shownLine);
        Args add{"add", kKey};
        add.insert(add.end(), c.add.begin(), c.add.end());
        const qv::test::ProcessResult added = Reg(add);
        EXPECT_EQ(0, added.exitCode) << added.err;
        EXPECT_EQ(kDone, added.out);
        EXPECT_EQ(std::make_pair(c.type, c.stored), ApiGet("Software\\Quorva\\Quorva", c.name));

        Args query{"query", "HKEY_CURRENT_USER\\Software\\Quorva\\Quorva"};
        if (c.name[0] == '\0') {
            query.push_back("/ve");
        } else {
            query.insert(query.end(), {"/v", c.name});
        }
        const qv::test::ProcessResult shown = Reg(query);
        EXPECT_EQ(0, shown.exitCode) << shown.err;
        EXPECT_EQ(std::string("\nHKEY_CURRENT_USER\\Software\\Quorva\\Quorva\n") + c.shownLine + "\n\n", shown.out);
    }
}

TEST_F(RegTool, ShowsWhatProgramsWroteAsRegExeDoes) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Quorva\\Quorva\\Recent", &key));
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Quorva\\Quorva", &key));
    const auto set = [key](const char* name, DWORD type, const Bytes& data) {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())));
    };
    set("NoNul", REG_SZ, B("bare"));
    set("Interval", REG_DWORD, Bytes{0xE8, 0x03, 0, 0});
    set("Servers", REG_MULTI_SZ, B(std::string_view("a\0b\0\0", 5)));
    set("Raw", REG_BINARY, Bytes{0xAB, 0x01});
    RegCloseKey(key);

    const qv::test::ProcessResult shown = Reg({"query", "hkcu\\software\\quorva\\quorva"});
    EXPECT_EQ(0, shown.exitCode) << shown.err;
    EXPECT_EQ("\n"
              "HKEY_CURRENT_USER\\software\\quorva\\quorva\n"
              "    NoNul    REG_SZ    bare\n"
              "    Interval    REG_DWORD    0x3e8\n"
              "    Servers    REG_MULTI_SZ    a\\0b\n"
              "    Raw    REG_BINARY    AB01\n"
              "\n"
              "HKEY_CURRENT_USER\\software\\quorva\\quorva\\Recent\n"
              "\n",
              shown.out);
}

TEST_F(RegTool, DeletesValuesAndWholeKeys) {
    for (const char* name : {"A", "B", "C"}) ASSERT_EQ(0, Reg({"add", kKey, "/v", name, "/d", "x"}).exitCode);
    ASSERT_EQ(0, Reg({"add", std::string(kKey) + "\\Deep\\Deeper", "/v", "D", "/d", "x"}).exitCode);

    EXPECT_EQ(kDone, Reg({"delete", kKey, "/v", "a", "/f"}).out);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ApiGet("Software\\Quorva\\Quorva", "A").first);
    EXPECT_EQ(REG_SZ, ApiGet("Software\\Quorva\\Quorva", "B").first);

    // Without /f it asks, and only yes goes ahead.
    EXPECT_EQ(0, Reg({"delete", kKey, "/va"}, "n\n").exitCode);
    EXPECT_EQ(REG_SZ, ApiGet("Software\\Quorva\\Quorva", "B").first);
    EXPECT_EQ(0, Reg({"delete", kKey, "/va"}, "y\n").exitCode);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ApiGet("Software\\Quorva\\Quorva", "B").first);
    EXPECT_EQ(REG_SZ, ApiGet("Software\\Quorva\\Quorva\\Deep\\Deeper", "D").first) << "/va keeps subkeys";

    EXPECT_EQ(kDone, Reg({"delete", "HKEY_CURRENT_USER\\Software\\Quorva", "/f"}).out);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ApiGet("Software\\Quorva", "").first);
}

TEST_F(RegTool, AddAsksBeforeOverwritingUnlessForced) {
    ASSERT_EQ(0, Reg({"add", kKey, "/v", "N", "/t", "REG_DWORD", "/d", "1"}).exitCode);
    EXPECT_EQ(0, Reg({"add", kKey, "/v", "N", "/t", "REG_DWORD", "/d", "2"}, "no\n").exitCode);
    EXPECT_EQ((Bytes{1, 0, 0, 0}), ApiGet("Software\\Quorva\\Quorva", "N").second);
    EXPECT_EQ(0, Reg({"add", kKey, "/v", "N", "/t", "REG_DWORD", "/d", "3"}, "yes\n").exitCode);
    EXPECT_EQ((Bytes{3, 0, 0, 0}), ApiGet("Software\\Quorva\\Quorva", "N").second);
    EXPECT_EQ(0, Reg({"add", kKey, "/v", "N", "/t", "REG_DWORD", "/d", "4", "/f"}).exitCode);
    EXPECT_EQ((Bytes{4, 0, 0, 0}), ApiGet("Software\\Quorva\\Quorva", "N").second);
}

TEST_F(RegTool, BadInputFailsWithAClearMessageAndChangesNothing) {
    ASSERT_EQ(0, Reg({"add", kKey, "/v", "Keep", "/t", "REG_DWORD", "/d", "7"}).exitCode);
    const std::string before = qv::test::ReadFile(File());
    struct Case {
        Args args;
        const char* message; // the start of stderr
    };
    const std::string key = kKey;
    const std::vector<Case> cases = {
        {{}, "ERROR: Invalid syntax."},
        {{"frob", key}, "ERROR: Invalid operation \"frob\""},
        {{"query"}, "ERROR: Invalid syntax: the key is missing."},
        {{"query", "HKXX\\Software"}, "ERROR: Invalid key name \"HKXX\\Software\""},
        {{"query", "HKCU\\Software\\Missing"}, kNotFound},
        {{"query", key, "/v", "Missing"}, kNotFound},
        {{"query", key, "/d", "x"}, "ERROR: Invalid syntax: unexpected \"/d\""},
        {{"add", key, "/v"}, "ERROR: Invalid syntax: \"/v\" is repeated or lacks its argument."},
        {{"add", key, "/v", "Keep", "/t", "REG_DWORD", "/d", "4294967296", "/f"}, "ERROR: Invalid data for REG_DWORD"},
        {{"add", key, "/v", "Keep", "/t", "REG_DWORD", "/d", "-1", "/f"}, "ERROR: Invalid data for REG_DWORD"},
        {{"add", key, "/v", "Keep", "/t", "REG_DWORD", "/d", "12abc", "/f"}, "ERROR: Invalid data for REG_DWORD"},
        {{"add", key, "/v", "Keep", "/t", "REG_BINARY", "/d", "0g", "/f"}, "ERROR: Invalid data for REG_BINARY"},
        {{"add", key, "/v", "Keep", "/t", "REG_BINARY", "/d", "abc", "/f"}, "ERROR: Invalid data for REG_BINARY"},
        {{"add", key, "/v", "Keep", "/t", "REG_TEXT", "/d", "x", "/f"}, "ERROR: Invalid type \"REG_TEXT\""},
        {{"add", key, "/v", "Keep", "/s", "#", "/d", "x", "/f"}, "ERROR: Invalid syntax: /s applies to REG_MULTI_SZ"},
        {{"delete", key, "/v", "Keep", "/va"}, "ERROR: Invalid syntax: /va cannot be combined"},
        {{"delete", key, "/v", "Missing", "/f"}, kNotFound},
        {{"delete", "HKCU\\Software\\Missing", "/f"}, kNotFound},
        {{"delete", "HKCU", "/f"}, "ERROR: Invalid key name: a root key cannot be deleted."},
    };
    for (const Case& c : cases) {
        std::string command = "reg";
        for (const std::string& arg : c.args) command += " " + arg;
        SCOPED_TRACE(command);
        const qv::test::ProcessResult result = Reg(c.args);
        EXPECT_EQ(1, result.exitCode);
        EXPECT_EQ(0u, result.err.rfind(c.message, 0)) << result.err;
        EXPECT_EQ("", result.out);
    }
    EXPECT_EQ(before, qv::test::ReadFile(File()));
}

} // namespace
