// InternetGetConnectedState's flags from the default route and the proxy settings.
#include "host/fakes/fake_network.h"

#include <wininet.h>

#include <gtest/gtest.h>

namespace {

TEST(InternetGetConnectedState, FlagsFollowTheRouteAndTheProxy) {
    const struct {
        bool route, pointToPoint, proxy;
        BOOL connected;
        DWORD flags;
    } cases[] = {
        {false, false, false, FALSE, 0},
        {false, false, true, FALSE, 0},
        {true, false, false, TRUE, INTERNET_CONNECTION_LAN},
        {true, false, true, TRUE, INTERNET_CONNECTION_LAN | INTERNET_CONNECTION_PROXY},
        {true, true, false, TRUE, INTERNET_CONNECTION_MODEM},
        {true, true, true, TRUE, INTERNET_CONNECTION_MODEM | INTERNET_CONNECTION_PROXY},
    };
    auto network = qv::host::InstallFakeNetwork();
    for (const auto& c : cases) {
        network->route = {c.route, c.pointToPoint};
        network->proxy = c.proxy;
        DWORD flags = 0xdead;
        EXPECT_EQ(InternetGetConnectedState(&flags, 0), c.connected);
        EXPECT_EQ(flags, c.flags) << c.route << c.pointToPoint << c.proxy;
        EXPECT_EQ(InternetGetConnectedState(nullptr, 0), c.connected) << "the flags are optional";
    }
    qv::host::SetNetwork(nullptr);
}

} // namespace
