// Linux helpers for tests that use the real host: a private network namespace, UDP traffic to
// loopback, and a child process without the raw-socket capability. Plain C++ at the interface so
// that tests can include it next to the Windows headers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace qv::test {

// Why real-host tests cannot run here, or empty when they can (they need root).
std::string RealHostUnavailableReason();

// Moves the calling thread into a new network namespace and brings its loopback up. Returns an
// error text, or empty on success. Threads started afterwards by this thread share the namespace.
std::string EnterPrivateNetworkNamespace();

// Sends `count` UDP datagrams with `payloadSize` bytes each to 127.0.0.1:port, where a listener
// takes them; false on failure.
bool SendLoopbackUdp(uint16_t port, size_t payloadSize, int count);

// Runs `body` in a forked child that has dropped CAP_NET_RAW and returns the child's result
// (body's value, or -1 if it could not run or did not finish within ten seconds).
int RunWithoutRawCapability(const std::function<int()>& body);

} // namespace qv::test
