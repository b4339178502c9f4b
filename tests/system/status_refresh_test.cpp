// The once-a-second status refresh: the connected-time clock, the connection status and type.
#include "network_fixture.h"

namespace qv::test {
namespace {

class StatusRefresh : public NetworkTest {
protected:
    std::string Status() const { return desktop.Text(Item(IDC_CONNECTION_STATUS)); }
    std::string Type() const { return desktop.Text(Item(IDC_CONNECTION_TYPE)); }
    std::string ConnectedTime() const { return desktop.Text(Item(IDC_CONNECTED_TIME)); }
    void Connect(bool exists, bool pointToPoint, bool proxy) {
        Edit([=](host::FakeNetworkState& s) {
            s.route.exists = exists;
            s.route.pointToPoint = pointToPoint;
            s.proxy = proxy;
        });
    }
};

TEST_F(StatusRefresh, TheConnectedClockCountsEveryTickConnectedOrNot) {
    StartProgram();
    desktop.Advance(1000);
    EXPECT_EQ(ConnectedTime(), "  0 hrs :  0 mins :  1 secs");
    Connect(true, false, false);
    desktop.Advance(1000);
    Connect(false, false, false);
    desktop.Advance(3659 * 1000);
    EXPECT_EQ(ConnectedTime(), "  1 hrs :  1 mins :  1 secs");
}

TEST_F(StatusRefresh, ShowsTheConnectionTypesInTheirOrder) {
    struct Case {
        bool pointToPoint;
        bool proxy;
        const char* type;
    };
    const Case cases[] = {
        {false, false, " LAN "},
        {false, true, " LAN  Proxy "},
        {true, false, " Modem "},
        {true, true, " Modem  Proxy "},
    };
    StartProgram();
    for (const Case& c : cases) {
        Connect(true, c.pointToPoint, c.proxy);
        desktop.Advance(1000);
        EXPECT_EQ(Type(), c.type);
        EXPECT_EQ(Status(), " Connected");
    }
}

TEST_F(StatusRefresh, NotConnectedShowsNotAvailableAndKeepsTheLastType) {
    AddInterface(3, "first card");
    StartProgram();
    desktop.Advance(1000);
    EXPECT_EQ(Status(), "N/A");
    EXPECT_EQ(Type(), "") << "never connected";
    Connect(true, false, true);
    desktop.Advance(1000);
    Connect(false, false, false);
    Edit([](host::FakeNetworkState& s) { s.interfaces[0].counters.sentBytes = 99; });
    desktop.Advance(1000);
    EXPECT_EQ(Status(), "N/A");
    EXPECT_EQ(Type(), " LAN  Proxy ");
    EXPECT_EQ(ConnectedTime(), "  0 hrs :  0 mins :  3 secs");
    EXPECT_EQ(desktop.Text(Item(IDC_BYTES_SENT)), " 99 ");
}

} // namespace
} // namespace qv::test
