#include "winsock/startup.h"

#include "winsock/socket_table.h"

#include <winsock2.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace qv::winsock {
namespace {

std::mutex startupMutex;
// Changed under the mutex; read without it on every call, receives included.
std::atomic<int> startups{0};

// This library speaks Winsock 1.1 up to 2.2.
constexpr WORD kLowest = MAKEWORD(1, 1);
constexpr WORD kHighest = MAKEWORD(2, 2);

int Ordered(WORD version) { return LOBYTE(version) * 256 + HIBYTE(version); }

} // namespace

bool RequireStarted() {
    if (startups.load(std::memory_order_acquire) > 0) return true;
    WSASetLastError(WSANOTINITIALISED);
    return false;
}

} // namespace qv::winsock

using namespace qv::winsock;

int WSAAPI WSAStartup(WORD wVersionRequested, LPWSADATA lpWSAData) {
    if (Ordered(wVersionRequested) < Ordered(kLowest)) return WSAVERNOTSUPPORTED;
    if (!lpWSAData) return WSAEFAULT;
    // The version used is the one asked for, capped at what this library knows; minor versions
    // beyond a major version's last one fall back to that last one (1.x to 1.1, 2.x to 2.2).
    WORD version = kHighest;
    if (Ordered(wVersionRequested) < Ordered(kHighest))
        version = LOBYTE(wVersionRequested) == 1 ? kLowest : wVersionRequested;
    memset(lpWSAData, 0, sizeof(*lpWSAData));
    lpWSAData->wVersion = version;
    lpWSAData->wHighVersion = kHighest;
    if (LOBYTE(version) == 1) {
        // Winsock 1 reports its limits; version 2 leaves them zero.
        lpWSAData->iMaxSockets = 32767;
        lpWSAData->iMaxUdpDg = 65467;
    }
    strcpy(lpWSAData->szDescription, "WinSock 2.0");
    strcpy(lpWSAData->szSystemStatus, "Running");
    std::lock_guard lock(startupMutex);
    ++startups;
    return 0;
}

int WSAAPI WSACleanup(void) {
    bool last = false;
    {
        std::lock_guard lock(startupMutex);
        if (startups == 0) {
            WSASetLastError(WSANOTINITIALISED);
            return SOCKET_ERROR;
        }
        last = --startups == 0;
    }
    // The last cleanup closes the sockets still open, as Windows does.
    if (last) CloseAllSockets();
    return 0;
}

int WSAAPI WSAGetLastError(void) { return static_cast<int>(GetLastError()); }

void WSAAPI WSASetLastError(int iError) { SetLastError(static_cast<DWORD>(iError)); }
