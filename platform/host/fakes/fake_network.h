// A network for tests: interfaces, addresses, a default route and proxy settings as the test says.
#pragma once
#include "host/network.h"

#include <memory>
#include <mutex>

namespace qv::host {

// The state a test edits; shared with the installed network so that it can change between calls.
struct FakeNetworkState {
    std::mutex mutex;
    std::vector<NetworkInterface> interfaces;
    std::vector<NetworkAddress> addresses;
    DefaultRoute route;
    bool proxy = false;
    bool failInterfaces = false;
    bool failAddresses = false;
};

class FakeNetwork final : public Network {
public:
    explicit FakeNetwork(std::shared_ptr<FakeNetworkState> state) : state_(std::move(state)) {}

    bool Interfaces(std::vector<NetworkInterface>& out) override;
    bool Addresses(std::vector<NetworkAddress>& out) override;
    DefaultRoute Route() override;
    bool ProxyConfigured() override;

private:
    std::shared_ptr<FakeNetworkState> state_;
};

// Installs a fake network and returns its state for the test to edit.
std::shared_ptr<FakeNetworkState> InstallFakeNetwork();

// An interface row filled in with the given facts and zero counters.
NetworkInterface MakeInterface(uint32_t index, const std::string& name, InterfaceKind kind,
                               uint64_t speedBitsPerSecond = 0);
// An IPv4 address from dotted text ("192.168.1.5"), its prefix length and interface.
NetworkAddress MakeAddress(const std::string& dotted, unsigned prefixLength, uint32_t interfaceIndex);

} // namespace qv::host
