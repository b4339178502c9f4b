// The interface table: one MIB_IFROW per interface, counters cut to their low 32 bits so that they
// wrap as Windows' own do.
#include "host/network.h"

#include <iphlpapi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

using qv::host::InterfaceKind;
using qv::host::NetworkInterface;

namespace {

IFTYPE TypeOf(InterfaceKind kind) {
    switch (kind) {
    case InterfaceKind::Ethernet: return MIB_IF_TYPE_ETHERNET;
    case InterfaceKind::Loopback: return MIB_IF_TYPE_LOOPBACK;
    case InterfaceKind::Ppp: return MIB_IF_TYPE_PPP;
    case InterfaceKind::Slip: return MIB_IF_TYPE_SLIP;
    case InterfaceKind::Other: break;
    }
    return MIB_IF_TYPE_OTHER;
}

DWORD Low32(uint64_t value) { return static_cast<DWORD>(value); }

void FillRow(const NetworkInterface& from, MIB_IFROW& row) {
    memset(&row, 0, sizeof(row));
    size_t nameLength = std::min(from.name.size(), size_t{MAX_INTERFACE_NAME_LEN - 1});
    for (size_t i = 0; i < nameLength; ++i) row.wszName[i] = static_cast<unsigned char>(from.name[i]);
    row.dwIndex = from.index;
    row.dwType = TypeOf(from.kind);
    row.dwMtu = from.mtu;
    row.dwSpeed = static_cast<DWORD>(std::min<uint64_t>(from.speedBitsPerSecond, 0xffffffffu));
    row.dwPhysAddrLen = static_cast<DWORD>(std::min(from.physicalAddress.size(), size_t{MAXLEN_PHYSADDR}));
    std::copy_n(from.physicalAddress.begin(), row.dwPhysAddrLen, row.bPhysAddr);
    row.dwAdminStatus = from.adminUp ? MIB_IF_ADMIN_STATUS_UP : MIB_IF_ADMIN_STATUS_DOWN;
    row.dwOperStatus = from.operUp ? MIB_IF_OPER_STATUS_OPERATIONAL : MIB_IF_OPER_STATUS_NON_OPERATIONAL;
    const auto& counters = from.counters;
    row.dwInOctets = Low32(counters.receivedBytes);
    row.dwInUcastPkts = Low32(counters.receivedPackets - std::min(counters.receivedMulticast, counters.receivedPackets));
    row.dwInNUcastPkts = Low32(counters.receivedMulticast);
    row.dwInDiscards = Low32(counters.receivedDropped);
    row.dwInErrors = Low32(counters.receivedErrors);
    row.dwInUnknownProtos = Low32(counters.receivedUnknownProtocol);
    row.dwOutOctets = Low32(counters.sentBytes);
    row.dwOutUcastPkts = Low32(counters.sentPackets);
    row.dwOutDiscards = Low32(counters.sentDropped);
    row.dwOutErrors = Low32(counters.sentErrors);
    // The description's length counts its terminating null, as Windows counts it.
    size_t descriptionLength = std::min(from.description.size(), size_t{MAXLEN_IFDESCR - 1});
    memcpy(row.bDescr, from.description.data(), descriptionLength);
    row.dwDescrLen = static_cast<DWORD>(descriptionLength + 1);
}

// The rows of the last call, kept per thread so that their storage is reused.
std::vector<NetworkInterface>& Rows() {
    thread_local std::vector<NetworkInterface> rows;
    return rows;
}

} // namespace

DWORD WINAPI GetNumberOfInterfaces(PDWORD pdwNumIf) {
    if (!pdwNumIf) return ERROR_INVALID_PARAMETER;
    auto& rows = Rows();
    if (!qv::host::GetNetwork().Interfaces(rows)) return ERROR_GEN_FAILURE;
    *pdwNumIf = static_cast<DWORD>(rows.size());
    return NO_ERROR;
}

DWORD WINAPI GetIfTable(PMIB_IFTABLE pIfTable, PULONG pdwSize, BOOL bOrder) {
    if (!pdwSize) return ERROR_INVALID_PARAMETER;
    auto& rows = Rows();
    if (!qv::host::GetNetwork().Interfaces(rows)) return ERROR_GEN_FAILURE;
    ULONG needed = static_cast<ULONG>(offsetof(MIB_IFTABLE, table) + rows.size() * sizeof(MIB_IFROW));
    if (!pIfTable || *pdwSize < needed) {
        *pdwSize = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    if (bOrder)
        std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.index < b.index; });
    pIfTable->dwNumEntries = static_cast<DWORD>(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) FillRow(rows[i], pIfTable->table[i]);
    return NO_ERROR;
}
