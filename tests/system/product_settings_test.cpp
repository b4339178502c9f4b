#include "SystemTest.h"

#include "ui/CTarnwickDlg.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

namespace qv::test {
namespace {

const char* const ProductKey = "SOFTWARE\\Quorva Velocitor";
const char* const RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class ProductSettings : public SystemTest {
protected:
    // Runs one of the main window's settings operations on its UI thread.
    void OnWindow(const std::function<void(CTarnwickDlg&)>& fn) {
        desktop.Call([&] { fn(*static_cast<CTarnwickDlg*>(CWnd::FromHandlePermanent(main))); });
    }

    DWORD Dword(const char* name) {
        DWORD type = 0;
        std::string data;
        if (!GetValue(HKEY_CURRENT_USER, ProductKey, name, &type, &data) || data.size() != 4) {
            ADD_FAILURE() << name << " is not stored as 4 bytes";
            return 0;
        }
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << name;
        DWORD value;
        std::memcpy(&value, data.data(), 4);
        return value;
    }

    bool ProductKeyExists() {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, ProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
};

TEST_F(ProductSettings, AFirstStartReadsTheDefaultsAndTheFirstSaveCreatesTheKey) {
    StartProgram();
    EXPECT_FALSE(ProductKeyExists()) << "reading creates nothing";
    OnWindow([](CTarnwickDlg& dlg) { dlg.SaveWindowSettings(); });
    EXPECT_EQ(Dword("CheckPeriodNum"), 12u);
    EXPECT_EQ(Dword("CheckPeriodCombo"), 0u);
    EXPECT_EQ(Dword("AccelerateN"), 7u);
}

TEST_F(ProductSettings, StoredNumbersGoBackUnchangedAndTheComboValueBecomesZero) {
    SetDword(HKEY_CURRENT_USER, ProductKey, "CheckPeriodNum", 0xFFFFFFFFu);
    SetDword(HKEY_CURRENT_USER, ProductKey, "AccelerateN", 0x80000000u);
    SetDword(HKEY_CURRENT_USER, ProductKey, "CheckPeriodCombo", 5);
    StartProgram();
    OnWindow([](CTarnwickDlg& dlg) { dlg.SaveWindowSettings(); });
    EXPECT_EQ(Dword("CheckPeriodNum"), 0xFFFFFFFFu);
    EXPECT_EQ(Dword("AccelerateN"), 0x80000000u);
    EXPECT_EQ(Dword("CheckPeriodCombo"), 0u);
}

TEST_F(ProductSettings, FlagsAreWrittenAsOneOrZero) {
    StartProgram();
    OnWindow([](CTarnwickDlg& dlg) {
        dlg.WriteFlag("AutoResumeDownloads", true);
        dlg.WriteFlag("RunOtherApp", false);
    });
    EXPECT_EQ(Dword("AutoResumeDownloads"), 1u);
    EXPECT_EQ(Dword("RunOtherApp"), 0u);
    SetDword(HKEY_CURRENT_USER, ProductKey, "RunOtherApp", 7);
    bool present = false;
    OnWindow([&](CTarnwickDlg& dlg) { present = dlg.IsRunAtStartupPresent(); });
    EXPECT_FALSE(present);
}

TEST_F(ProductSettings, AKeyThatCannotBeWrittenIsSkippedWithoutAMessage) {
    StartProgram();
    registry->FailWrites(host::RegistryWrite::Denied);
    size_t windowsBefore = TopLevels("Quorva Velocitor").size();
    OnWindow([](CTarnwickDlg& dlg) {
        dlg.SaveWindowSettings();
        dlg.WriteFlag("RunOtherApp", true);
    });
    EXPECT_FALSE(ProductKeyExists());
    EXPECT_EQ(TopLevels("Quorva Velocitor").size(), windowsBefore);
    EXPECT_EQ(FindWindowA("#32770", "Error"), nullptr);
}

class RunAtStartup : public ProductSettings {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        SetDword(HKEY_CURRENT_USER, RunKey, "Other", 1); // the Run key exists; it is never created
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    void GoTo(const std::string& dir) {
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
    }

    std::string Entry() {
        DWORD type = 0;
        std::string data;
        if (!GetValue(HKEY_CURRENT_USER, RunKey, "Quorva Velocitor", &type, &data))
            return "(absent)";
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        return data;
    }

private:
    std::filesystem::path previous_;
};

TEST_F(RunAtStartup, TheEntryNamesTheShortcutInTheCurrentDirectoryWithItsTerminator) {
    GoTo("/tmp/Tools");
    StartProgram();
    OnWindow([](CTarnwickDlg& dlg) { dlg.WriteRunAtStartup(); });
    EXPECT_EQ(Entry(), std::string("\"Z:\\tmp\\Tools\\Quorva Velocitor.lnk\" -tray") + '\0');
    bool present = false;
    OnWindow([&](CTarnwickDlg& dlg) { present = dlg.IsRunAtStartupPresent(); });
    EXPECT_TRUE(present);
    OnWindow([](CTarnwickDlg& dlg) { dlg.DeleteRunAtStartup(); });
    EXPECT_EQ(Entry(), "(absent)");
    OnWindow([](CTarnwickDlg& dlg) { dlg.DeleteRunAtStartup(); });
    EXPECT_EQ(Entry(), "(absent)") << "deleting an absent entry reports nothing";
}

TEST_F(RunAtStartup, ADirectoryLongerThanTwoHundredFiftySixBytesIsWrittenWhole) {
    std::string dir = "/tmp/" + std::string(120, 'a') + "/" + std::string(150, 'b');
    GoTo(dir);
    StartProgram();
    OnWindow([](CTarnwickDlg& dlg) { dlg.WriteRunAtStartup(); });
    std::string dos = "Z:" + dir;
    std::replace(dos.begin(), dos.end(), '/', '\\');
    EXPECT_EQ(Entry(), "\"" + dos + "\\Quorva Velocitor.lnk\" -tray" + '\0');
}

TEST_F(RunAtStartup, NothingIsWrittenWhenTheRunKeyIsMissing) {
    HKEY run;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                            KEY_ALL_ACCESS, &run),
              ERROR_SUCCESS);
    RegDeleteKeyA(run, "Run");
    RegCloseKey(run);
    StartProgram();
    OnWindow([](CTarnwickDlg& dlg) { dlg.WriteRunAtStartup(); });
    EXPECT_EQ(Entry(), "(absent)");
}

} // namespace
} // namespace qv::test
