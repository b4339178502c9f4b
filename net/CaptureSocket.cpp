#include "net/CaptureSocket.h"

#include "net/LocalAddresses.h"

#include <mstcpip.h>

#include <cstring>

std::atomic<int> AccelerationActive{0};
std::atomic<SOCKET> CaptureSocket{0};

namespace {

// The entry to bind to: the first usable one, else entry 0.
const char* BindAddress() {
    for (int i = 0; i < LocalAddressCount; ++i) {
        if (std::strcmp(LocalAddressTable[i], "127.0.0.1") != 0 && std::strcmp(LocalAddressTable[i], "0.0.0.0") != 0)
            return LocalAddressTable[i];
    }
    return LocalAddressTable[0];
}

} // namespace

void OpenCaptureSocket() {
    SOCKET capture = WSASocketA(AF_INET, SOCK_RAW, IPPROTO_IP, nullptr, 0, WSA_FLAG_OVERLAPPED);
    CaptureSocket = capture;
    if (capture == INVALID_SOCKET)
        return;

    sockaddr_in address;
    std::memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_port = 0;
    address.sin_addr.s_addr = static_cast<ULONG>(inet_addr(BindAddress()));
    if (bind(capture, reinterpret_cast<sockaddr*>(&address), sizeof address) == SOCKET_ERROR &&
        WSAGetLastError() != WSAEINPROGRESS) {
        closesocket(capture);
        return;
    }

    DWORD on = RCVALL_ON;
    DWORD out = 0;
    DWORD returned = 0;
    WSAIoctl(capture, SIO_RCVALL, &on, sizeof on, &out, sizeof out, &returned, nullptr, nullptr);
}

UINT CaptureWatcher(LPVOID pParam) {
    const SOCKET own = reinterpret_cast<SOCKET>(pParam);
    char buffer[1600];
    sockaddr_in sender;
    int senderLength = sizeof sender;
    for (;;) {
        if (AccelerationActive == 0 || CaptureSocket != own) {
            closesocket(own);
            return 0;
        }
        if (recvfrom(own, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&sender), &senderLength) !=
            SOCKET_ERROR)
            continue;
        int error = WSAGetLastError();
        // A datagram longer than the buffer is received and dropped like any other.
        if (error == WSAEMSGSIZE)
            continue;
        // A handle that names no socket (it failed to open, or was closed after a failed bind)
        // has nothing left to close.
        if (error != WSAENOTSOCK)
            closesocket(own);
        return 1;
    }
}
