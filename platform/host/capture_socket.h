// The socket behind Winsock's receive-all socket: every IPv4 packet of one interface (or of all).
// Errors are errno values; the Winsock layer turns them into WSA codes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace qv::host {

struct CaptureReceive {
    int error = 0;        // 0, EMSGSIZE (truncated to the buffer), EINTR (closed), or the socket's error
    size_t copied = 0;    // bytes placed in the buffer
    size_t length = 0;    // the datagram's full length
    uint32_t source = 0;  // the IPv4 source address, network byte order
};

class CaptureSocket {
public:
    virtual ~CaptureSocket() = default;
    // Chooses the interface (0: all of them). Nothing is delivered until Start.
    virtual int Bind(uint32_t interfaceIndex) = 0;
    virtual int Start() = 0;
    virtual int Stop() = 0;
    // Waits for the next IPv4 datagram (from its IP header on) and copies what fits.
    virtual CaptureReceive Receive(void* buffer, size_t size) = 0;
    // Makes a waiting or later Receive fail with EINTR; safe from any thread.
    virtual void Close() = 0;
};

class CaptureSockets {
public:
    virtual ~CaptureSockets() = default;
    // A new capture socket, or null with the errno value in `error` (EPERM without the capability).
    virtual std::unique_ptr<CaptureSocket> Open(int& error) = 0;
};

// The capture sockets in use: Linux packet sockets unless a test installed others.
CaptureSockets& GetCaptureSockets();
// Installs capture sockets (tests); null goes back to the Linux ones.
void SetCaptureSockets(std::unique_ptr<CaptureSockets> sockets);

} // namespace qv::host
