// The program on the test desktop with a scripted network: interfaces, addresses and capture
// sockets, and bounded waits on what the capture sockets report.
#pragma once
#include "SystemTest.h"

#include "res/resource.h"

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace qv::test {

class NetworkTest : public SystemTest {
protected:
    // An interface with this index, description and speed; its address, when given, is added to
    // the address table in the order of the calls.
    void AddInterface(uint32_t index, const std::string& description, uint64_t speed = 0,
                                         const char* address = nullptr) {
        host::NetworkInterface row = host::MakeInterface(index, "if" + std::to_string(index), host::InterfaceKind::Ethernet, speed);
        row.description = description;
        network->interfaces.push_back(row);
        if (address)
            network->addresses.push_back(host::MakeAddress(address, 24, index));
    }
    // Edits the network while the program runs.
    void Edit(const std::function<void(host::FakeNetworkState&)>& change) {
        std::lock_guard lock(network->mutex);
        change(*network);
    }

    // Waits (at most five seconds) until the capture sockets' state satisfies `condition`.
    bool CaptureReaches(const std::function<bool(const host::FakeCaptureState&)>& condition) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (;;) {
            {
                std::lock_guard lock(capture->mutex);
                if (condition(*capture))
                    return true;
            }
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    int OpenSockets() {
        std::lock_guard lock(capture->mutex);
        return capture->openSockets;
    }
    void Deliver(int count, size_t length = 60) {
        for (int i = 0; i < count; ++i)
            capture->Deliver(host::MakeIpDatagram(length, 0x0100007f));
    }
    bool Drained() {
        return CaptureReaches([](const host::FakeCaptureState& s) { return s.queue.empty(); });
    }

    std::string Caption() const { return desktop.Text(Item(IDC_ACCELERATE)); }
    LRESULT Checked() const { return SendMessageA(Item(IDC_ACCELERATE), BM_GETCHECK, 0, 0); }
    std::string AcceleratedTime() const { return desktop.Text(Item(IDC_ACCELERATED_TIME)); }
};

inline const char* const Activated = "State: Activated\nPush to stop";
inline const char* const Stopped = "State: Stopped\nPush to activate acceleration";

} // namespace qv::test
