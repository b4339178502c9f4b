#include "winsock/socket_table.h"

#include <unordered_map>

namespace qv::winsock {
namespace {

struct Table {
    std::mutex mutex;
    std::unordered_map<SOCKET, std::shared_ptr<Socket>> sockets;
    // Handles are never reused, so a stale handle cannot reach a newer socket.
    SOCKET next = 0x100;
};

// Never destroyed: a thread still receiving at process exit must find its socket.
Table& TheTable() {
    static Table* table = new Table;
    return *table;
}

} // namespace

SOCKET AddSocket(std::shared_ptr<Socket> socket) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    SOCKET handle = table.next;
    table.next += 4;
    table.sockets.emplace(handle, std::move(socket));
    return handle;
}

std::shared_ptr<Socket> FindSocket(SOCKET handle) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    auto found = table.sockets.find(handle);
    if (found != table.sockets.end()) return found->second;
    WSASetLastError(WSAENOTSOCK);
    return nullptr;
}

bool RemoveSocket(SOCKET handle) {
    std::shared_ptr<Socket> socket;
    {
        Table& table = TheTable();
        std::lock_guard lock(table.mutex);
        auto found = table.sockets.find(handle);
        if (found == table.sockets.end()) {
            WSASetLastError(WSAENOTSOCK);
            return false;
        }
        socket = std::move(found->second);
        table.sockets.erase(found);
    }
    socket->capture->Close();
    return true;
}

void CloseAllSockets() {
    std::unordered_map<SOCKET, std::shared_ptr<Socket>> sockets;
    {
        Table& table = TheTable();
        std::lock_guard lock(table.mutex);
        sockets.swap(table.sockets);
    }
    for (auto& [handle, socket] : sockets) socket->capture->Close();
}

} // namespace qv::winsock
