// The open sockets by handle. A lookup hands out shared ownership, so a socket closed by one thread
// stays alive until a receive running in another thread has returned.
#pragma once
#include "host/capture_socket.h"

#include <winsock2.h>

#include <atomic>
#include <memory>
#include <mutex>

namespace qv::winsock {

struct Socket {
    explicit Socket(std::unique_ptr<host::CaptureSocket> capture) : capture(std::move(capture)) {}

    std::unique_ptr<host::CaptureSocket> capture;
    std::mutex mutex; // makes binding one step
    std::atomic<bool> bound{false};
};

SOCKET AddSocket(std::shared_ptr<Socket> socket);
// The socket behind a handle, or null with WSAENOTSOCK set.
std::shared_ptr<Socket> FindSocket(SOCKET handle);
// Removes the handle and wakes its receivers; false (WSAENOTSOCK set) for an unknown handle.
bool RemoveSocket(SOCKET handle);
void CloseAllSockets();

} // namespace qv::winsock
