// GetIpAddrTable over a fake network: the kernel's order or ascending addresses, and sizing.
#include "host/fakes/fake_network.h"

#include <iphlpapi.h>
#include <winsock2.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace {

using qv::host::MakeAddress;

class IpAddrTable : public testing::Test {
protected:
    void SetUp() override {
        network = qv::host::InstallFakeNetwork();
        network->addresses = {MakeAddress("192.168.1.5", 24, 2), MakeAddress("127.0.0.1", 8, 1),
                              MakeAddress("10.0.0.9", 8, 3), MakeAddress("192.168.1.77", 24, 2)};
        network->addresses[3].primary = false;
        network->addresses[2].permanent = false;
    }
    void TearDown() override { qv::host::SetNetwork(nullptr); }

    std::shared_ptr<qv::host::FakeNetworkState> network;
};

std::string Dotted(DWORD address) {
    in_addr in;
    in.s_addr = address;
    return inet_ntoa(in);
}

TEST_F(IpAddrTable, SizingAndNullSize) {
    ULONG size = 0;
    EXPECT_EQ(GetIpAddrTable(nullptr, &size, FALSE), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, offsetof(MIB_IPADDRTABLE, table) + 4 * sizeof(MIB_IPADDRROW));
    std::vector<char> buffer(size);
    ULONG tooSmall = size - 1;
    EXPECT_EQ(GetIpAddrTable(reinterpret_cast<PMIB_IPADDRTABLE>(buffer.data()), &tooSmall, FALSE),
              static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(tooSmall, size);
    EXPECT_EQ(GetIpAddrTable(reinterpret_cast<PMIB_IPADDRTABLE>(buffer.data()), nullptr, FALSE),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(IpAddrTable, KernelOrderOrAscendingAddresses) {
    const struct {
        BOOL order;
        std::vector<std::string> addresses;
    } cases[] = {
        {FALSE, {"192.168.1.5", "127.0.0.1", "10.0.0.9", "192.168.1.77"}},
        {TRUE, {"10.0.0.9", "127.0.0.1", "192.168.1.5", "192.168.1.77"}},
    };
    for (const auto& c : cases) {
        ULONG size = 0;
        GetIpAddrTable(nullptr, &size, c.order);
        std::vector<char> buffer(size);
        auto* table = reinterpret_cast<PMIB_IPADDRTABLE>(buffer.data());
        ASSERT_EQ(GetIpAddrTable(table, &size, c.order), static_cast<DWORD>(NO_ERROR));
        std::vector<std::string> addresses;
        for (DWORD i = 0; i < table->dwNumEntries; ++i) addresses.push_back(Dotted(table->table[i].dwAddr));
        EXPECT_EQ(addresses, c.addresses) << "bOrder " << c.order;
    }
}

TEST_F(IpAddrTable, RowsCarryIndexMaskBroadcastAndType) {
    ULONG size = 0;
    GetIpAddrTable(nullptr, &size, FALSE);
    std::vector<char> buffer(size);
    auto* table = reinterpret_cast<PMIB_IPADDRTABLE>(buffer.data());
    ASSERT_EQ(GetIpAddrTable(table, &size, FALSE), static_cast<DWORD>(NO_ERROR));
    const MIB_IPADDRROW& first = table->table[0];
    EXPECT_EQ(first.dwIndex, 2u);
    EXPECT_EQ(Dotted(first.dwMask), "255.255.255.0");
    EXPECT_EQ(Dotted(first.dwBCastAddr), "192.168.1.255");
    EXPECT_EQ(first.dwReasmSize, 65535u);
    EXPECT_EQ(first.wType, MIB_IPADDR_PRIMARY);
    EXPECT_EQ(table->table[2].wType, MIB_IPADDR_PRIMARY | MIB_IPADDR_DYNAMIC);
    EXPECT_EQ(table->table[3].wType, 0) << "a secondary address is not primary";
}

} // namespace
