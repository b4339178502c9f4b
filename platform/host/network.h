// The machine's network as the IP helper and the connection service see it: interfaces with their
// counters, IPv4 addresses, the default route and the proxy settings.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv::host {

enum class InterfaceKind { Other, Ethernet, Loopback, Ppp, Slip };

// Counters since the interface appeared, 64 bits wide as the kernel keeps them.
struct InterfaceCounters {
    uint64_t receivedBytes = 0;
    uint64_t receivedPackets = 0; // all of them, multicast included
    uint64_t receivedMulticast = 0;
    uint64_t receivedDropped = 0;
    uint64_t receivedErrors = 0;
    uint64_t receivedUnknownProtocol = 0;
    uint64_t sentBytes = 0;
    uint64_t sentPackets = 0;
    uint64_t sentDropped = 0;
    uint64_t sentErrors = 0;
};

struct NetworkInterface {
    uint32_t index = 0;
    std::string name;        // "eth0"
    std::string description; // "eth0 Ethernet adapter"
    InterfaceKind kind = InterfaceKind::Other;
    uint32_t mtu = 0;
    uint64_t speedBitsPerSecond = 0; // 0 when the link does not say
    std::vector<uint8_t> physicalAddress;
    bool adminUp = false;
    bool operUp = false;
    bool pointToPoint = false;
    InterfaceCounters counters;
};

// IPv4 values in network byte order, as they travel.
struct NetworkAddress {
    uint32_t address = 0;
    uint32_t mask = 0;
    uint32_t broadcast = 0;
    uint32_t interfaceIndex = 0;
    bool primary = true;   // false for an interface's secondary addresses
    bool permanent = true; // false for addresses with a lifetime (DHCP and the like)
};

struct DefaultRoute {
    bool exists = false;
    bool pointToPoint = false; // through a point-to-point link (a modem)
};

class Network {
public:
    virtual ~Network() = default;
    // The interfaces in the kernel's order; false when they cannot be read. Fills `out` in
    // place so that repeated calls reuse its storage.
    virtual bool Interfaces(std::vector<NetworkInterface>& out) = 0;
    // The IPv4 addresses in the kernel's order; false when they cannot be read.
    virtual bool Addresses(std::vector<NetworkAddress>& out) = 0;
    virtual DefaultRoute Route() = 0;
    // Whether the environment names a proxy for web traffic.
    virtual bool ProxyConfigured() = 0;
};

// The network in use: the Linux one unless a test installed another.
Network& GetNetwork();
// Installs a network (tests); null goes back to the Linux one.
void SetNetwork(std::unique_ptr<Network> network);

} // namespace qv::host
