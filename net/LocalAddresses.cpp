#include "net/LocalAddresses.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include <cstring>
#include <vector>

LocalAddressText LocalAddressTable[LocalAddressCapacity];
int LocalAddressCount = 0;

namespace {

// Room for this many rows of the address table, in DWORDs so that the table is aligned.
size_t WordsFor(ULONG bytes) { return (bytes + sizeof(DWORD) - 1) / sizeof(DWORD); }

} // namespace

int ReadLocalAddresses(LocalAddressText* table, int capacity) {
    if (capacity <= 0)
        return 0;
    // 28 bytes a slot is enough for most computers; when the table is larger the platform
    // says how much it needs and we ask again.
    ULONG size = static_cast<ULONG>(28 * capacity);
    std::vector<DWORD> buffer(WordsFor(size));
    DWORD result;
    while ((result = GetIpAddrTable(reinterpret_cast<PMIB_IPADDRTABLE>(buffer.data()), &size, FALSE)) ==
           ERROR_INSUFFICIENT_BUFFER)
        buffer.resize(WordsFor(size));
    if (result != NO_ERROR)
        return 0;
    const auto* addresses = reinterpret_cast<const MIB_IPADDRTABLE*>(buffer.data());
    int count = addresses->dwNumEntries > static_cast<DWORD>(capacity) ? capacity
                                                                        : static_cast<int>(addresses->dwNumEntries);
    for (int i = 0; i < count; ++i) {
        in_addr address;
        address.s_addr = addresses->table[i].dwAddr;
        // inet_ntoa reuses its buffer, so the text is copied at once; without a text the entry
        // stays empty.
        const char* text = inet_ntoa(address);
        std::strncpy(table[i], text ? text : "", sizeof table[i] - 1);
        table[i][sizeof table[i] - 1] = '\0';
    }
    return count;
}
