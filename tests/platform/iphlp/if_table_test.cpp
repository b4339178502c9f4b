// GetIfTable and GetNumberOfInterfaces over a fake network: sizing, order, row contents.
#include "host/fakes/fake_network.h"

#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace {

using qv::host::InterfaceKind;
using qv::host::MakeInterface;

class IfTable : public testing::Test {
protected:
    void SetUp() override {
        network = qv::host::InstallFakeNetwork();
        // The kernel's order need not be the index order.
        network->interfaces = {MakeInterface(3, "eth1", InterfaceKind::Ethernet, 100'000'000),
                               MakeInterface(1, "lo", InterfaceKind::Loopback),
                               MakeInterface(2, "eth0", InterfaceKind::Ethernet, 1'000'000'000)};
    }
    void TearDown() override { qv::host::SetNetwork(nullptr); }

    // The whole table, sized the way callers size it: ask, allocate, ask again.
    std::vector<char> Table(BOOL order) {
        ULONG size = 0;
        EXPECT_EQ(GetIfTable(nullptr, &size, order), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
        std::vector<char> buffer(size);
        EXPECT_EQ(GetIfTable(reinterpret_cast<PMIB_IFTABLE>(buffer.data()), &size, order), static_cast<DWORD>(NO_ERROR));
        return buffer;
    }
    static const MIB_IFTABLE& View(const std::vector<char>& buffer) {
        return *reinterpret_cast<const MIB_IFTABLE*>(buffer.data());
    }

    std::shared_ptr<qv::host::FakeNetworkState> network;
};

TEST_F(IfTable, SizingFollowsTheNumberOfRows) {
    EXPECT_EQ(sizeof(MIB_IFROW), 860u);
    ULONG size = 0;
    EXPECT_EQ(GetIfTable(nullptr, &size, FALSE), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, offsetof(MIB_IFTABLE, table) + 3 * 860);
    std::vector<char> buffer(size);
    ULONG tooSmall = size - 1;
    EXPECT_EQ(GetIfTable(reinterpret_cast<PMIB_IFTABLE>(buffer.data()), &tooSmall, FALSE),
              static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(tooSmall, size);
    EXPECT_EQ(GetIfTable(reinterpret_cast<PMIB_IFTABLE>(buffer.data()), nullptr, FALSE),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    // An interface appears between the sizing call and the filling call.
    network->interfaces.push_back(MakeInterface(7, "ppp0", InterfaceKind::Ppp));
    ULONG old = size;
    EXPECT_EQ(GetIfTable(reinterpret_cast<PMIB_IFTABLE>(buffer.data()), &old, FALSE),
              static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(old, size + 860);

    DWORD count = 0;
    EXPECT_EQ(GetNumberOfInterfaces(&count), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(GetNumberOfInterfaces(nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(IfTable, RowsInKernelOrderOrSortedByIndex) {
    const struct {
        BOOL order;
        std::vector<DWORD> indexes;
    } cases[] = {{FALSE, {3, 1, 2}}, {TRUE, {1, 2, 3}}};
    for (const auto& c : cases) {
        auto buffer = Table(c.order);
        const MIB_IFTABLE& table = View(buffer);
        ASSERT_EQ(table.dwNumEntries, 3u);
        std::vector<DWORD> indexes;
        for (DWORD i = 0; i < table.dwNumEntries; ++i) indexes.push_back(table.table[i].dwIndex);
        EXPECT_EQ(indexes, c.indexes) << "bOrder " << c.order;
    }
}

TEST_F(IfTable, RowsDescribeTheInterfaces) {
    network->interfaces.push_back(MakeInterface(4, "sl0", InterfaceKind::Slip));
    network->interfaces.push_back(MakeInterface(5, "tun0", InterfaceKind::Other));
    network->interfaces[2].operUp = false;
    auto buffer = Table(TRUE);
    const MIB_IFTABLE& table = View(buffer);
    ASSERT_EQ(table.dwNumEntries, 5u);
    const struct {
        IFTYPE type;
        DWORD speed;
        DWORD physicalLength;
        const char* description;
        DWORD operStatus;
    } expected[] = {
        {MIB_IF_TYPE_LOOPBACK, 0, 0, "lo Software Loopback Interface", MIB_IF_OPER_STATUS_OPERATIONAL},
        {MIB_IF_TYPE_ETHERNET, 1'000'000'000, 6, "eth0 Ethernet adapter", MIB_IF_OPER_STATUS_NON_OPERATIONAL},
        {MIB_IF_TYPE_ETHERNET, 100'000'000, 6, "eth1 Ethernet adapter", MIB_IF_OPER_STATUS_OPERATIONAL},
        {MIB_IF_TYPE_SLIP, 0, 6, "sl0 Ethernet adapter", MIB_IF_OPER_STATUS_OPERATIONAL},
        {MIB_IF_TYPE_OTHER, 0, 6, "tun0 Ethernet adapter", MIB_IF_OPER_STATUS_OPERATIONAL},
    };
    for (DWORD i = 0; i < table.dwNumEntries; ++i) {
        const MIB_IFROW& row = table.table[i];
        const auto& e = expected[i];
        EXPECT_EQ(row.dwType, e.type) << i;
        EXPECT_EQ(row.dwSpeed, e.speed) << i;
        EXPECT_EQ(row.dwPhysAddrLen, e.physicalLength) << i;
        EXPECT_EQ(static_cast<DWORD>(row.dwOperStatus), e.operStatus) << i;
        EXPECT_EQ(row.dwAdminStatus, static_cast<DWORD>(MIB_IF_ADMIN_STATUS_UP)) << i;
        std::string description(reinterpret_cast<const char*>(row.bDescr));
        EXPECT_EQ(description, e.description) << i;
        EXPECT_EQ(row.dwDescrLen, description.size() + 1) << "the length counts the terminating null";
    }
    EXPECT_EQ(table.table[0].dwMtu, 65536u);
    EXPECT_EQ(table.table[1].bPhysAddr[5], 2);
    EXPECT_EQ(std::u16string(table.table[1].wszName), u"eth0");
}

TEST_F(IfTable, CountersKeepTheirLow32BitsAndWrap) {
    qv::host::InterfaceCounters& counters = network->interfaces[2].counters;
    counters.receivedBytes = (uint64_t{1} << 32) + 1234; // wrapped once
    counters.receivedPackets = 0x1'0000'0010;
    counters.receivedMulticast = 6;
    counters.sentBytes = 0xffff'ffff;
    counters.sentPackets = 77;
    counters.receivedDropped = 3;
    counters.sentErrors = 2;
    auto buffer = Table(TRUE);
    const MIB_IFROW& eth0 = View(buffer).table[1];
    EXPECT_EQ(eth0.dwInOctets, 1234u);
    EXPECT_EQ(eth0.dwInUcastPkts, 10u) << "unicast is all packets less multicast, cut to 32 bits";
    EXPECT_EQ(eth0.dwInNUcastPkts, 6u);
    EXPECT_EQ(eth0.dwOutOctets, 0xffffffffu);
    EXPECT_EQ(eth0.dwOutUcastPkts, 77u);
    EXPECT_EQ(eth0.dwInDiscards, 3u);
    EXPECT_EQ(eth0.dwOutErrors, 2u);

    counters.sentBytes += 10; // past 2^32: the next reading wraps to a small number
    auto later = Table(TRUE);
    EXPECT_EQ(View(later).table[1].dwOutOctets, 9u);
}

TEST_F(IfTable, HostFailureIsReported) {
    network->failInterfaces = true;
    ULONG size = 0;
    EXPECT_EQ(GetIfTable(nullptr, &size, FALSE), static_cast<DWORD>(ERROR_GEN_FAILURE));
    DWORD count = 0;
    EXPECT_EQ(GetNumberOfInterfaces(&count), static_cast<DWORD>(ERROR_GEN_FAILURE));
}

} // namespace
