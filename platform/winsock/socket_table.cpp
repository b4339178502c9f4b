#include "winsock/socket_table.h"

#include "kernel/handle_map.h"

namespace qv::winsock {
namespace {

// Never destroyed: a thread still receiving at process exit must find its socket.
kernel::HandleMap<Socket>& TheTable() {
    static auto* table = new kernel::HandleMap<Socket>(0x100);
    return *table;
}

} // namespace

SOCKET AddSocket(std::shared_ptr<Socket> socket) { return TheTable().Add(std::move(socket)); }

std::shared_ptr<Socket> FindSocket(SOCKET handle) {
    auto socket = TheTable().Find(handle);
    if (!socket)
        WSASetLastError(WSAENOTSOCK);
    return socket;
}

bool RemoveSocket(SOCKET handle) {
    std::shared_ptr<Socket> socket = TheTable().Take(handle);
    if (!socket) {
        WSASetLastError(WSAENOTSOCK);
        return false;
    }
    socket->capture->Close();
    return true;
}

void CloseAllSockets() {
    for (auto& socket : TheTable().TakeAll())
        socket->capture->Close();
}

} // namespace qv::winsock
