// The interface and address tables on the real host, inside a private network namespace, where
// the only traffic is the test's own.
#include "host_namespace.h"

#include <iphlpapi.h>
#include <winsock2.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class IfTableHost : public testing::Test {
protected:
    void SetUp() override {
        if (std::string reason = qv::test::RealHostUnavailableReason(); !reason.empty()) GTEST_SKIP() << reason;
        ASSERT_EQ(qv::test::EnterPrivateNetworkNamespace(), "");
    }

    static MIB_IFROW Loopback() {
        ULONG size = 0;
        EXPECT_EQ(GetIfTable(nullptr, &size, TRUE), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
        std::vector<char> buffer(size);
        auto* table = reinterpret_cast<PMIB_IFTABLE>(buffer.data());
        EXPECT_EQ(GetIfTable(table, &size, TRUE), static_cast<DWORD>(NO_ERROR));
        for (DWORD i = 0; i < table->dwNumEntries; ++i)
            if (table->table[i].dwType == MIB_IF_TYPE_LOOPBACK) return table->table[i];
        ADD_FAILURE() << "no loopback row";
        return {};
    }
};

TEST_F(IfTableHost, ListsTheLoopbackWithCountersThatGrowByWhatWasSent) {
    MIB_IFROW before = Loopback();
    EXPECT_NE(std::string(reinterpret_cast<const char*>(before.bDescr)).find("Loopback"), std::string::npos);
    EXPECT_EQ(before.dwOperStatus, MIB_IF_OPER_STATUS_OPERATIONAL);
    EXPECT_EQ(before.dwMtu, 65536u);

    constexpr int kCount = 25, kPayload = 200, kOnWire = kPayload + 8 + 20;
    ASSERT_TRUE(qv::test::SendLoopbackUdp(40100, kPayload, kCount));
    MIB_IFROW after = Loopback();
    EXPECT_EQ(after.dwOutUcastPkts - before.dwOutUcastPkts, static_cast<DWORD>(kCount));
    EXPECT_EQ(after.dwInUcastPkts - before.dwInUcastPkts, static_cast<DWORD>(kCount));
    EXPECT_EQ(after.dwOutOctets - before.dwOutOctets, static_cast<DWORD>(kCount * kOnWire));
    EXPECT_EQ(after.dwInOctets - before.dwInOctets, static_cast<DWORD>(kCount * kOnWire));
}

TEST_F(IfTableHost, AddressTableHoldsTheLoopbackAddress) {
    ULONG size = 0;
    ASSERT_EQ(GetIpAddrTable(nullptr, &size, FALSE), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    std::vector<char> buffer(size);
    auto* table = reinterpret_cast<PMIB_IPADDRTABLE>(buffer.data());
    ASSERT_EQ(GetIpAddrTable(table, &size, FALSE), static_cast<DWORD>(NO_ERROR));
    ASSERT_EQ(table->dwNumEntries, 1u);
    EXPECT_EQ(table->table[0].dwAddr, inet_addr("127.0.0.1"));
    EXPECT_EQ(table->table[0].dwMask, inet_addr("255.0.0.0"));
    EXPECT_EQ(table->table[0].dwIndex, Loopback().dwIndex);
    DWORD count = 0;
    ASSERT_EQ(GetNumberOfInterfaces(&count), static_cast<DWORD>(NO_ERROR));
    EXPECT_GE(count, 1u);
}

} // namespace
