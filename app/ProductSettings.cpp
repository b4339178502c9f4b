// The product's settings in the current user's registry: six values under the product key,
// and the start-with-Windows entry in the per-user Run key.
#include "app/ProductKey.h"
#include "ui/CTarnwickDlg.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const RunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const ShortcutName = "Quorva Velocitor.lnk";

// The value read into a 4-byte integer that holds the default; a failed query keeps it.
int ReadNumber(HKEY key, LPCSTR name, int defaultValue) {
    int value = defaultValue;
    DWORD size = sizeof value;
    if (key)
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(&value), &size);
    return value;
}

int ReadOneNumber(LPCSTR name, int defaultValue) {
    HKEY key = OpenProductKeyForReading();
    int value = ReadNumber(key, name, defaultValue);
    if (key)
        RegCloseKey(key);
    return value;
}

std::string Decimal(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

} // namespace

void CTarnwickDlg::LoadAutoResume() { AutoResumeFlag = ReadOneNumber("AutoResumeDownloads", 0) != 0; }

void CTarnwickDlg::LoadRunOtherApp() { RunOtherAppFlag = ReadOneNumber("RunOtherApp", 0) != 0; }

void CTarnwickDlg::LoadWindowSettings() {
    HKEY key = OpenProductKeyForReading();
    CheckPeriodNumText = Decimal(ReadNumber(key, "CheckPeriodNum", 12));
    AccelerateNText = Decimal(ReadNumber(key, "AccelerateN", 7));
    SelectedInterface = ReadNumber(key, "Network", 0);
    if (key)
        RegCloseKey(key);
    UpdateData(FALSE);
}

void CTarnwickDlg::SaveWindowSettings() {
    UpdateData(TRUE);
    HKEY key = OpenProductKeyForWriting();
    if (!key)
        return;
    WriteProductNumber(key, "CheckPeriodNum", std::atoi(CheckPeriodNumText.c_str()));
    WriteProductNumber(key, "CheckPeriodCombo", 0);
    WriteProductNumber(key, "AccelerateN", std::atoi(AccelerateNText.c_str()));
    RegCloseKey(key);
}

void CTarnwickDlg::WriteFlag(LPCSTR valueName, bool flag) {
    HKEY key = OpenProductKeyForWriting();
    if (!key)
        return;
    WriteProductNumber(key, valueName, flag ? 1 : 0);
    RegCloseKey(key);
}

void CTarnwickDlg::WriteRunAtStartup() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    // The current directory may be longer than the 256 bytes a fixed buffer would give it:
    // ask for the size it needs, so that the entry is written whole.
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    std::string directory(needed ? needed : 1, '\0');
    DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data());
    directory.resize(length < directory.size() ? length : 0);
    std::string data = "\"" + directory + "\\" + ShortcutName + "\" -tray";
    RegSetValueExA(key, ProductName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
}

void CTarnwickDlg::DeleteRunAtStartup() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, ProductName);
    RegCloseKey(key);
}

bool CTarnwickDlg::IsRunAtStartupPresent() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    bool present = RegQueryValueExA(key, ProductName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return present;
}
