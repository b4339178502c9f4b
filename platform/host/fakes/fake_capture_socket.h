// Capture sockets for tests: datagrams and failures as the test scripts them. All sockets opened
// through the fake share one state.
#pragma once
#include "host/capture_socket.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

namespace qv::host {

struct FakeCaptureState {
    std::mutex mutex;
    std::condition_variable changed;
    int openError = 0;  // e.g. EPERM: the socket cannot open
    int bindError = 0;  // returned by Bind
    int startError = 0; // returned by Start
    bool started = false;
    uint32_t boundInterface = 0;
    int openSockets = 0;
    // Each entry is a datagram, or an error (error != 0) that the next receive reports.
    struct Entry {
        std::vector<uint8_t> bytes;
        int error = 0;
    };
    std::deque<Entry> queue;
    // How long a receive waits on an empty queue before it fails with ETIMEDOUT, so tests never hang.
    std::chrono::milliseconds patience{5000};

    // Queues a datagram if delivery is on (as a real socket drops traffic before it starts).
    void Deliver(std::vector<uint8_t> bytes);
    // Queues an error for the next receive.
    void Fail(int error);
};

class FakeCaptureSockets final : public CaptureSockets {
public:
    explicit FakeCaptureSockets(std::shared_ptr<FakeCaptureState> state) : state_(std::move(state)) {}
    std::unique_ptr<CaptureSocket> Open(int& error) override;

private:
    std::shared_ptr<FakeCaptureState> state_;
};

// Installs fake capture sockets and returns their state for the test to script.
std::shared_ptr<FakeCaptureState> InstallFakeCaptureSockets();

// A minimal IPv4 datagram of `length` bytes (at least 20) from `source` (network byte order).
std::vector<uint8_t> MakeIpDatagram(size_t length, uint32_t source, uint8_t fill = 0);

} // namespace qv::host
