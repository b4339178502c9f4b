// The receive-all socket of accelerated mode and its watcher, seen through the capture sockets'
// state: which interface the socket is bound to, whether receive-all is on, what is drained and
// when the socket closes.
#include "network_fixture.h"

#include <cerrno>

namespace qv::test {
namespace {

class CaptureWatcher : public NetworkTest {
protected:
    void SetUp() override {
        // The watcher waits long on an empty queue, so that only the test decides when it ends.
        capture->patience = std::chrono::seconds(60);
    }
};

struct BindCase {
    const char* what;
    std::vector<std::pair<const char*, uint32_t>> addresses; // in the reported order
    bool bound;
    uint32_t boundInterface; // 0: every interface (0.0.0.0)
};

std::ostream& operator<<(std::ostream& os, const BindCase& c) { return os << c.what; }

class BindAddress : public CaptureWatcher, public ::testing::WithParamInterface<BindCase> {};

TEST_P(BindAddress, IsTheFirstThatIsNeitherLoopbackNorUnassigned) {
    for (const auto& [address, index] : GetParam().addresses)
        AddInterface(index, "if", 0, address);
    StartProgram();
    std::lock_guard lock(capture->mutex);
    EXPECT_EQ(capture->started, GetParam().bound) << "receive-all on";
    EXPECT_EQ(capture->openSockets, GetParam().bound ? 1 : 0);
    if (GetParam().bound) {
        EXPECT_EQ(capture->boundInterface, GetParam().boundInterface);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BindAddress,
    ::testing::Values(BindCase{"first usable after the loopback", {{"127.0.0.1", 1}, {"192.168.1.5", 2}, {"10.0.0.2", 3}}, true, 2},
                      BindCase{"the first entry when it is usable", {{"10.0.0.2", 3}, {"127.0.0.1", 1}}, true, 3},
                      BindCase{"loopback only", {{"127.0.0.1", 1}}, true, 1},
                      BindCase{"none usable: entry 0", {{"0.0.0.0", 4}, {"127.0.0.1", 1}}, true, 0},
                      BindCase{"no address: the empty text binds nowhere", {}, false, 0}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(CaptureWatcher, DrainsEveryDatagramOversizeOnesIncluded) {
    AddInterface(2, "eth0", 0, "192.168.1.5");
    StartProgram();
    Deliver(50);
    Deliver(1, 3000); // longer than the watcher's buffer
    Deliver(50);
    EXPECT_TRUE(Drained());
    EXPECT_EQ(OpenSockets(), 1) << "the watcher goes on after an oversize datagram";
    Deliver(5);
    EXPECT_TRUE(Drained());
}

struct SocketFailure {
    const char* what;
    int openError;
    int bindError;
};

std::ostream& operator<<(std::ostream& os, const SocketFailure& c) { return os << c.what; }

class SocketFailures : public CaptureWatcher, public ::testing::WithParamInterface<SocketFailure> {};

TEST_P(SocketFailures, LeaveNoSocketOpenAndTheModeOnWithItsClockRunning) {
    AddInterface(2, "eth0", 0, "192.168.1.5");
    capture->openError = GetParam().openError;
    capture->bindError = GetParam().bindError;
    StartProgram();
    EXPECT_EQ(OpenSockets(), 0);
    {
        std::lock_guard lock(capture->mutex);
        EXPECT_FALSE(capture->started);
    }
    EXPECT_EQ(Caption(), Activated);
    EXPECT_EQ(Checked(), BST_CHECKED);
    desktop.Advance(2000);
    EXPECT_EQ(AcceleratedTime(), "  0 hrs :  0 mins :  2 secs");
}

INSTANTIATE_TEST_SUITE_P(Cases, SocketFailures,
                         ::testing::Values(SocketFailure{"no raw-socket rights", EPERM, 0},
                                           SocketFailure{"address in use", 0, EADDRINUSE},
                                           SocketFailure{"address gone", 0, EADDRNOTAVAIL}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(CaptureWatcher, AReceiveErrorEndsTheWatcherWhichClosesItsSocket) {
    AddInterface(2, "eth0", 0, "192.168.1.5");
    StartProgram();
    capture->Fail(ENETDOWN);
    EXPECT_TRUE(CaptureReaches([](const host::FakeCaptureState& s) { return s.openSockets == 0; }));
    EXPECT_EQ(Caption(), Activated);
    desktop.Advance(1000);
    EXPECT_EQ(AcceleratedTime(), "  0 hrs :  0 mins :  1 secs");
}

TEST_F(CaptureWatcher, AfterSwitchOffTheSocketClosesAtTheNextDatagram) {
    AddInterface(2, "eth0", 0, "192.168.1.5");
    StartProgram();
    desktop.Click(Item(IDC_ACCELERATE));
    ASSERT_EQ(Caption(), Stopped);
    EXPECT_EQ(OpenSockets(), 1) << "switching off neither closes the socket nor waits";
    Deliver(1);
    EXPECT_TRUE(CaptureReaches([](const host::FakeCaptureState& s) { return s.openSockets == 0; }));
}

TEST_F(CaptureWatcher, SwitchingOnAgainLeavesOneWatcherOnTheNewSocket) {
    AddInterface(2, "eth0", 0, "192.168.1.5");
    StartProgram();
    // A datagram taken shows that the first watcher is in its loop, waiting for the next one.
    Deliver(1);
    ASSERT_TRUE(Drained());
    desktop.Click(Item(IDC_ACCELERATE));
    desktop.Click(Item(IDC_ACCELERATE));
    ASSERT_EQ(Caption(), Activated);
    EXPECT_EQ(OpenSockets(), 2) << "the earlier watcher still waits on its own socket";
    // Both sockets see the same traffic; the earlier watcher closes its socket at its next
    // datagram, and which watcher takes a datagram is up to them.
    for (int i = 0; i < 5000 && OpenSockets() > 1; ++i) {
        if (Drained())
            Deliver(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(OpenSockets(), 1);
    Deliver(20);
    EXPECT_TRUE(Drained()) << "the newer watcher drains";
    EXPECT_EQ(OpenSockets(), 1);
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

TEST_F(CaptureWatcher, ABindStillInProgressCountsAsBound) {
    AddInterface(2, "eth0", 0, "192.168.1.5");
    capture->bindError = EINPROGRESS;
    StartProgram();
    {
        std::lock_guard lock(capture->mutex);
        EXPECT_TRUE(capture->started) << "receive-all is switched on all the same";
    }
    Deliver(20);
    EXPECT_TRUE(Drained());
    EXPECT_EQ(OpenSockets(), 1);
}

} // namespace
} // namespace qv::test
