#include "host/fakes/fake_network.h"

#include <cstdio>

namespace qv::host {

bool FakeNetwork::Interfaces(std::vector<NetworkInterface>& out) {
    std::lock_guard lock(state_->mutex);
    if (state_->failInterfaces) return false;
    out = state_->interfaces;
    return true;
}

bool FakeNetwork::Addresses(std::vector<NetworkAddress>& out) {
    std::lock_guard lock(state_->mutex);
    if (state_->failAddresses) return false;
    out = state_->addresses;
    return true;
}

DefaultRoute FakeNetwork::Route() {
    std::lock_guard lock(state_->mutex);
    return state_->route;
}

bool FakeNetwork::ProxyConfigured() {
    std::lock_guard lock(state_->mutex);
    return state_->proxy;
}

std::shared_ptr<FakeNetworkState> InstallFakeNetwork() {
    auto state = std::make_shared<FakeNetworkState>();
    SetNetwork(std::make_unique<FakeNetwork>(state));
    return state;
}

NetworkInterface MakeInterface(uint32_t index, const std::string& name, InterfaceKind kind,
                               uint64_t speedBitsPerSecond) {
    NetworkInterface row;
    row.index = index;
    row.name = name;
    row.kind = kind;
    row.description = name + (kind == InterfaceKind::Loopback ? " Software Loopback Interface" : " Ethernet adapter");
    row.mtu = kind == InterfaceKind::Loopback ? 65536 : 1500;
    row.speedBitsPerSecond = speedBitsPerSecond;
    if (kind != InterfaceKind::Loopback) row.physicalAddress = {0x02, 0, 0, 0, 0, static_cast<uint8_t>(index)};
    row.adminUp = true;
    row.operUp = true;
    return row;
}

// Bytes in network order: the first octet in the lowest-addressed byte.
static uint32_t NetworkOrder(unsigned a, unsigned b, unsigned c, unsigned d) {
    uint8_t bytes[4] = {static_cast<uint8_t>(a), static_cast<uint8_t>(b), static_cast<uint8_t>(c),
                        static_cast<uint8_t>(d)};
    uint32_t value;
    static_assert(sizeof(value) == sizeof(bytes));
    __builtin_memcpy(&value, bytes, 4);
    return value;
}

NetworkAddress MakeAddress(const std::string& dotted, unsigned prefixLength, uint32_t interfaceIndex) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    std::sscanf(dotted.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d);
    uint32_t hostMask = prefixLength == 0 ? 0 : ~uint32_t{0} << (32 - prefixLength);
    NetworkAddress row;
    row.address = NetworkOrder(a, b, c, d);
    row.mask = NetworkOrder(hostMask >> 24, (hostMask >> 16) & 0xff, (hostMask >> 8) & 0xff, hostMask & 0xff);
    row.broadcast = row.address | ~row.mask;
    row.interfaceIndex = interfaceIndex;
    return row;
}

} // namespace qv::host
