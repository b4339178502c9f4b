// Accelerated mode's receive-all socket and the watcher thread that drains it. The user
// interface thread switches the mode and opens the socket; each watcher reads the two shared
// values below and calls nothing but Winsock.
#pragma once
#include <winsock2.h>

#include <atomic>

// 1 while accelerated mode is on, 0 while it is off.
extern std::atomic<int> AccelerationActive;
// The socket of the newest switch-on (INVALID_SOCKET when it could not be opened; after a
// failed bind, the handle of the socket that was closed).
extern std::atomic<SOCKET> CaptureSocket;

// Opens the raw socket into CaptureSocket, binds it to the first local address that is neither
// "127.0.0.1" nor "0.0.0.0" (else to the table's first entry) and switches it to receive-all.
void OpenCaptureSocket();

// The watcher: receives and drops every datagram of the socket it is given (the one its
// switch-on opened) until accelerated mode goes off, a newer switch-on replaces the socket, or
// a receive fails; then it closes that socket. Exit code 0 after a switch-off or replacement,
// 1 after a receive error.
UINT CaptureWatcher(LPVOID pParam);
