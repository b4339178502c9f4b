// The pure pieces of network monitoring: the tick-counting clock and its text, and the local
// address table read from the IP helper.
#include "host/fakes/fake_network.h"
#include "net/ElapsedClock.h"
#include "net/LocalAddresses.h"

#include <gtest/gtest.h>

#include <winsock2.h>

#include <string>
#include <vector>

namespace qv::test {
namespace {

struct ClockCase {
    int ticks;
    const char* text;
};

TEST(ElapsedClock, CountsTicksAsSecondsWithHoursUnbounded) {
    const ClockCase cases[] = {
        {1, "  0 hrs :  0 mins :  1 secs"},
        {59, "  0 hrs :  0 mins : 59 secs"},  {60, "  0 hrs :  1 mins :  0 secs"},
        {3600, "  1 hrs :  0 mins :  0 secs"}, {3661, "  1 hrs :  1 mins :  1 secs"},
        {100 * 3600 + 5 * 60 + 7, " 100 hrs :  5 mins :  7 secs"},
    };
    for (const ClockCase& c : cases) {
        ElapsedClock clock;
        for (int i = 0; i < c.ticks; ++i)
            clock.Advance();
        EXPECT_EQ(clock.Text(), c.text) << c.ticks << " ticks";
    }
}

class LocalAddresses : public ::testing::Test {
protected:
    void SetUp() override {
        network = host::InstallFakeNetwork();
        WSADATA data;
        ASSERT_EQ(WSAStartup(0x0101, &data), 0);
    }
    void TearDown() override { WSACleanup(); }

    void Give(const std::vector<std::string>& dotted) {
        for (const std::string& text : dotted)
            network->addresses.push_back(host::MakeAddress(text, 8, 1));
    }

    std::shared_ptr<host::FakeNetworkState> network;
    LocalAddressText table[LocalAddressCapacity] = {};
};

std::vector<std::string> Numbered(int count) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i)
        texts.push_back("10." + std::to_string(i / 250) + "." + std::to_string(i % 250) + ".1");
    return texts;
}

TEST_F(LocalAddresses, KeepsTheReportedOrderUpToOneHundred) {
    struct Case {
        const char* what;
        std::vector<std::string> given;
        int count;
    };
    const Case cases[] = {
        {"loopback only", {"127.0.0.1"}, 1},
        {"plain and widest texts", {"10.0.0.1", "255.255.255.255", "0.0.0.0"}, 3},
        {"105 addresses", Numbered(105), 100},
        {"more than the first buffer holds", Numbered(130), 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        network->addresses.clear();
        Give(c.given);
        LocalAddressText filled[LocalAddressCapacity] = {};
        ASSERT_EQ(ReadLocalAddresses(filled, LocalAddressCapacity), c.count);
        for (int i = 0; i < c.count; ++i)
            EXPECT_EQ(std::string(filled[i]), c.given[i]) << "entry " << i;
        if (c.count < LocalAddressCapacity) {
            EXPECT_EQ(std::string(filled[c.count]), "") << "entries past the count stay empty";
        }
    }
}

TEST_F(LocalAddresses, AnUnreadableTableGivesNoAddresses) {
    Give({"192.168.1.5"});
    network->failAddresses = true;
    EXPECT_EQ(ReadLocalAddresses(table, LocalAddressCapacity), 0);
    EXPECT_EQ(std::string(table[0]), "");
}

} // namespace
} // namespace qv::test
