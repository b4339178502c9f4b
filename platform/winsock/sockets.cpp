// The receive-all raw socket: AF_INET, SOCK_RAW, IPPROTO_IP, switched on with SIO_RCVALL. Other
// kinds of socket are not provided.
#include "host/capture_socket.h"
#include "host/network.h"
#include "winsock/errors.h"
#include "winsock/socket_table.h"
#include "winsock/startup.h"

#include <mstcpip.h>
#include <winsock2.h>

#include <cerrno>
#include <cstring>

using namespace qv;
using namespace qv::winsock;

namespace {

int Fail(int error) {
    WSASetLastError(error);
    return SOCKET_ERROR;
}

// The interface that owns a local address, 0 for "any", or -1 when no interface owns it.
long InterfaceOwning(ULONG address) {
    if (address == INADDR_ANY) return 0;
    std::vector<host::NetworkAddress> addresses;
    if (!host::GetNetwork().Addresses(addresses)) return -1;
    for (const auto& row : addresses)
        if (row.address == address) return static_cast<long>(row.interfaceIndex);
    return -1;
}

void FillSource(struct sockaddr* from, int* fromlen, uint32_t source) {
    if (!from) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = source;
    memcpy(from, &address, sizeof(address));
    *fromlen = sizeof(address);
}

} // namespace

SOCKET WSAAPI WSASocketA(int af, int type, int protocol, LPWSAPROTOCOL_INFOA lpProtocolInfo, GROUP g,
                         DWORD dwFlags) {
    (void)dwFlags; // overlapped or not, receives complete in the calling thread
    if (!RequireStarted()) return INVALID_SOCKET;
    int error = 0;
    if (lpProtocolInfo || g != 0) error = WSAEINVAL;
    else if (af != AF_INET) error = WSAEAFNOSUPPORT;
    else if (type != SOCK_RAW) error = WSAESOCKTNOSUPPORT;
    else if (protocol != IPPROTO_IP) error = WSAEPROTONOSUPPORT;
    if (error != 0) {
        WSASetLastError(error);
        return INVALID_SOCKET;
    }
    int hostError = 0;
    auto capture = host::GetCaptureSockets().Open(hostError);
    if (!capture) {
        WSASetLastError(ErrorFromErrno(hostError));
        return INVALID_SOCKET;
    }
    return AddSocket(std::make_shared<Socket>(std::move(capture)));
}

SOCKET WSAAPI socket(int af, int type, int protocol) {
    return WSASocketA(af, type, protocol, nullptr, 0, WSA_FLAG_OVERLAPPED);
}

int WSAAPI bind(SOCKET s, const struct sockaddr* name, int namelen) {
    if (!RequireStarted()) return SOCKET_ERROR;
    auto socket = FindSocket(s);
    if (!socket) return SOCKET_ERROR;
    if (!name || namelen < static_cast<int>(sizeof(sockaddr_in))) return Fail(WSAEFAULT);
    sockaddr_in address;
    memcpy(&address, name, sizeof(address));
    if (address.sin_family != AF_INET) return Fail(WSAEAFNOSUPPORT);
    std::lock_guard lock(socket->mutex);
    if (socket->bound) return Fail(WSAEINVAL);
    long interfaceIndex = InterfaceOwning(address.sin_addr.s_addr);
    if (interfaceIndex < 0) return Fail(WSAEADDRNOTAVAIL);
    int error = socket->capture->Bind(static_cast<uint32_t>(interfaceIndex));
    // A bind still in progress completes: the socket counts as bound, and the caller is told.
    if (error && error != EINPROGRESS) return Fail(ErrorFromErrno(error));
    socket->bound = true;
    return error ? Fail(WSAEINPROGRESS) : 0;
}

int WSAAPI closesocket(SOCKET s) {
    if (!RequireStarted()) return SOCKET_ERROR;
    return RemoveSocket(s) ? 0 : SOCKET_ERROR;
}

int WSAAPI WSAIoctl(SOCKET s, DWORD dwIoControlCode, LPVOID lpvInBuffer, DWORD cbInBuffer, LPVOID lpvOutBuffer,
                    DWORD cbOutBuffer, LPDWORD lpcbBytesReturned, LPWSAOVERLAPPED lpOverlapped,
                    LPWSAOVERLAPPED_COMPLETION_ROUTINE lpCompletionRoutine) {
    (void)lpvOutBuffer, (void)cbOutBuffer, (void)lpOverlapped, (void)lpCompletionRoutine;
    if (!RequireStarted()) return SOCKET_ERROR;
    auto socket = FindSocket(s);
    if (!socket) return SOCKET_ERROR;
    if (dwIoControlCode != SIO_RCVALL) return Fail(WSAEINVAL);
    if (!lpvInBuffer || cbInBuffer < sizeof(DWORD)) return Fail(WSAEFAULT);
    DWORD value;
    memcpy(&value, lpvInBuffer, sizeof(value));
    if (lpcbBytesReturned) *lpcbBytesReturned = 0;
    std::lock_guard lock(socket->mutex);
    if (!socket->bound) return Fail(WSAEINVAL);
    int error = 0;
    switch (value) {
    case RCVALL_ON:
    case RCVALL_IPLEVEL: error = socket->capture->Start(); break;
    case RCVALL_OFF: error = socket->capture->Stop(); break;
    default: return Fail(WSAEINVAL);
    }
    return error != 0 ? Fail(ErrorFromErrno(error)) : 0;
}

int WSAAPI recvfrom(SOCKET s, char* buf, int len, int flags, struct sockaddr* from, int* fromlen) {
    if (!RequireStarted()) return SOCKET_ERROR;
    auto socket = FindSocket(s);
    if (!socket) return SOCKET_ERROR;
    if (!buf || len < 0) return Fail(WSAEFAULT);
    if (from && (!fromlen || *fromlen < static_cast<int>(sizeof(sockaddr_in)))) return Fail(WSAEFAULT);
    if (flags != 0) return Fail(WSAEOPNOTSUPP);
    if (!socket->bound) return Fail(WSAEINVAL);
    host::CaptureReceive received = socket->capture->Receive(buf, static_cast<size_t>(len));
    if (received.error == 0 || received.error == EMSGSIZE) FillSource(from, fromlen, received.source);
    if (received.error != 0) return Fail(ErrorFromErrno(received.error));
    return static_cast<int>(received.copied);
}
