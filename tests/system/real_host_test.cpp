// Accelerated mode on the real host, in a private network namespace where the only traffic is
// the test's own: the watcher drains the socket bound to the loopback address, and without the
// raw-socket capability the socket does not open while the mode still counts as on.
#include "host_namespace.h"
#include "network_fixture.h"
#include "real_host.h"

namespace qv::test {
namespace {

class RealHost : public NetworkTest {
protected:
    void SetUp() override {
        if (std::string reason = RealHostUnavailableReason(); !reason.empty())
            GTEST_SKIP() << reason;
        ASSERT_EQ(EnterPrivateNetworkNamespace(), "");
        host::SetNetwork(nullptr);
        host::SetCaptureSockets(nullptr);
    }

    // Waits (at most five seconds) until the namespace holds `count` packet sockets.
    bool PacketSocketsReach(int count) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (OpenPacketSockets() != count) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
};

TEST_F(RealHost, TheWatcherDrainsTheLoopbackUntilADatagramAfterSwitchOff) {
    StartProgram();
    ASSERT_EQ(OpenPacketSockets(), 1) << "the receive-all socket";
    ASSERT_TRUE(SendLoopbackUdp(40200, 100, 50));
    // The watcher drains them in well under a millisecond; give a slow (sanitized) build time
    // to finish before the switch-off, after which any datagram left would end it.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    desktop.Click(Item(IDC_ACCELERATE));
    ASSERT_EQ(Caption(), Stopped);
    EXPECT_EQ(OpenPacketSockets(), 1) << "switched off, the watcher still waits for a datagram";
    ASSERT_TRUE(SendLoopbackUdp(40201, 10, 1));
    EXPECT_TRUE(PacketSocketsReach(0)) << "the watcher received it and closed its socket";
}

TEST_F(RealHost, WithoutTheRawSocketCapabilityTheModeIsOnWithoutASocket) {
    ASSERT_TRUE(DropRawCapabilityOfThisThread());
    StartProgram();
    EXPECT_EQ(OpenPacketSockets(), 0);
    EXPECT_EQ(Caption(), Activated);
    EXPECT_EQ(Checked(), BST_CHECKED);
    desktop.Advance(1000);
    EXPECT_EQ(AcceleratedTime(), "  0 hrs :  0 mins :  1 secs");
    EXPECT_EQ(desktop.Text(Item(IDC_CONNECTION_STATUS)), "N/A") << "no default route in the namespace";
}

} // namespace
} // namespace qv::test
