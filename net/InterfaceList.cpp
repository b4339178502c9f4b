// The network interface box: one entry per interface of the IP helper's table, leaving out
// WAN, ISATAP and loopback interfaces; the chosen entry is stored as "Network".
#include "net/InterfaceList.h"

#include "app/ProductKey.h"
#include "framework/CWinApp.h"
#include "ui/CTarnwickDlg.h"

#include <cstdio>
#include <cstring>
#include <string>

GetIfTableFunction GetIfTableProc = nullptr;
GetNumberOfInterfacesFunction GetNumberOfInterfacesProc = nullptr;

namespace {


template <typename Function> Function LookUp(LPCSTR name) {
    FARPROC address = GetProcAddress(LoadLibraryA("Iphlpapi.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// " %s %d %s": the first 38 characters of the description, the speed in units of 2^20 bits per
// second, and "Mb".
std::string EntryText(const MIB_IFROW& row) {
    const char* description = reinterpret_cast<const char*>(row.bDescr);
    size_t length = strnlen(description, sizeof row.bDescr);
    std::string shown(description, length < 38 ? length : 38);
    char text[64];
    std::snprintf(text, sizeof text, " %s %d %s", shown.c_str(), static_cast<int>(row.dwSpeed >> 20), "Mb");
    return text;
}

bool IsLeftOut(const std::string& text) {
    return text.compare(0, 5, " WAN ") == 0 || text.compare(0, 8, " isatap.") == 0 ||
           text.find("Loopback") != std::string::npos;
}

std::string Counter(DWORD octets) {
    char text[16];
    std::snprintf(text, sizeof text, " %lu ", static_cast<unsigned long>(octets));
    return text;
}

} // namespace

void CTarnwickDlg::ReadInterfaceTable() {
    if (!GetIfTableProc)
        return;
    // When the table has grown the platform raises InterfaceTableSize; the buffer grows to
    // that size and the table is read again, whole.
    while (GetIfTableProc(reinterpret_cast<PMIB_IFTABLE>(InterfaceTable.data()), &InterfaceTableSize, TRUE) ==
               ERROR_INSUFFICIENT_BUFFER &&
           InterfaceTableSize > InterfaceTable.size() * sizeof(DWORD))
        AllocateInterfaceTable();
}

void CTarnwickDlg::AllocateInterfaceTable() {
    InterfaceTable.assign((InterfaceTableSize + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
}

void CTarnwickDlg::ShowSelectedCounters() {
    if (SelectedInterface < 0 || SelectedInterface >= ListedInterfaceCount || InterfaceTable.empty())
        return;
    const auto* table = reinterpret_cast<const MIB_IFTABLE*>(InterfaceTable.data());
    DWORD row = static_cast<DWORD>(InterfaceRowOfEntry[SelectedInterface]);
    if (row >= table->dwNumEntries)
        return;
    BytesSentText = Counter(table->table[row].dwOutOctets);
    BytesReceivedText = Counter(table->table[row].dwInOctets);
}

void CTarnwickDlg::LoadInterfaceList() {
    GetIfTableProc = LookUp<GetIfTableFunction>("GetIfTable");
    GetNumberOfInterfacesProc = LookUp<GetNumberOfInterfacesFunction>("GetNumberOfInterfaces");
    InterfaceTable.clear();
    if (!GetIfTableProc || !GetNumberOfInterfacesProc) {
        AfxMessageBox("Error loading Iphlpapi.dll", MB_OK);
        EndDialog(IDOK);
    } else {
        InterfaceTableSize = 0;
        if (GetIfTableProc(nullptr, &InterfaceTableSize, TRUE) == ERROR_INSUFFICIENT_BUFFER) {
            AllocateInterfaceTable();
            ReadInterfaceTable();
            const auto* table = reinterpret_cast<const MIB_IFTABLE*>(InterfaceTable.data());
            for (DWORD row = 0; row < table->dwNumEntries && ListedInterfaceCount < static_cast<int>(InterfaceRowOfEntry.size());
                 ++row) {
                InterfaceNameText = EntryText(table->table[row]);
                if (IsLeftOut(InterfaceNameText))
                    continue;
                InterfaceBox.AddString(InterfaceNameText.c_str());
                InterfaceRowOfEntry[ListedInterfaceCount++] = static_cast<int>(row);
            }
        }
    }
    InterfaceBox.SetCurSel(SelectedInterface);
}

void CTarnwickDlg::OnInterfaceSelected() {
    int chosen = InterfaceBox.GetCurSel();
    if (chosen == SelectedInterface)
        return;
    SelectedInterface = chosen;
    ReadInterfaceTable();
    ShowSelectedCounters();

    HKEY key = OpenProductKeyForWriting();
    if (!key)
        return;
    WriteProductNumber(key, "Network", chosen);
    RegCloseKey(key);
    UpdateData(FALSE);
}
