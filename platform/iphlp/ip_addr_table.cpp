// The IPv4 address table: the kernel's order, or ascending by address when asked.
#include "host/network.h"

#include <iphlpapi.h>

#include <algorithm>
#include <cstddef>

namespace {

// The largest datagram the stack reassembles.
constexpr DWORD kReassemblySize = 65535;

DWORD HostOrder(uint32_t networkOrder) { return __builtin_bswap32(networkOrder); }

} // namespace

DWORD WINAPI GetIpAddrTable(PMIB_IPADDRTABLE pIpAddrTable, PULONG pdwSize, BOOL bOrder) {
    if (!pdwSize) return ERROR_INVALID_PARAMETER;
    thread_local std::vector<qv::host::NetworkAddress> rows;
    if (!qv::host::GetNetwork().Addresses(rows)) return ERROR_GEN_FAILURE;
    ULONG needed = static_cast<ULONG>(offsetof(MIB_IPADDRTABLE, table) + rows.size() * sizeof(MIB_IPADDRROW));
    if (!pIpAddrTable || *pdwSize < needed) {
        *pdwSize = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    if (bOrder)
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto& a, const auto& b) { return HostOrder(a.address) < HostOrder(b.address); });
    pIpAddrTable->dwNumEntries = static_cast<DWORD>(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        MIB_IPADDRROW& row = pIpAddrTable->table[i];
        row = {};
        row.dwAddr = rows[i].address;
        row.dwIndex = rows[i].interfaceIndex;
        row.dwMask = rows[i].mask;
        row.dwBCastAddr = rows[i].broadcast;
        row.dwReasmSize = kReassemblySize;
        row.wType = static_cast<unsigned short>((rows[i].primary ? MIB_IPADDR_PRIMARY : 0) |
                                                (rows[i].permanent ? 0 : MIB_IPADDR_DYNAMIC));
    }
    return NO_ERROR;
}
