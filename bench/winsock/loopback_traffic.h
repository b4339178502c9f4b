// The Linux side of the receive benchmark: a private network namespace, a bounded generator of
// small UDP datagrams to loopback, a plain packet socket to compare with, and CPU clocks. Plain
// C++ at the interface, so that the benchmark can include it next to the Windows headers.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace qv::bench {

constexpr uint16_t kDataPort = 41000;
constexpr uint16_t kEndPort = 41001; // the datagrams that tell the receiver the run is over

// Moves the process's main thread into a new network namespace with loopback up; error text or "".
std::string EnterPrivateNetworkNamespace();

// Sends `count` small datagrams to 127.0.0.1:kDataPort, then end datagrams to kEndPort until
// `done` returns true or five seconds pass; false if the end was never acknowledged.
bool Generate(uint64_t count, const std::function<bool()>& done);

double ThreadCpuSeconds();

// A plain AF_PACKET socket on loopback read with one recvfrom per datagram. Returns the number of
// data datagrams received before the end datagram, or -1 on failure.
int64_t PlainPacketReceive(const std::function<void()>& ready);

// Measures `tcpdump -w /dev/null` on loopback while `traffic` runs: its CPU seconds, or a negative
// value with the reason in `why` when tcpdump is not available.
double TcpdumpCpuSeconds(const std::function<void()>& traffic, std::string& why);

// The UDP destination port of an IPv4 datagram (its header without options).
inline uint16_t DestinationPort(const unsigned char* datagram) {
    return static_cast<uint16_t>(datagram[22] << 8 | datagram[23]);
}

} // namespace qv::bench
