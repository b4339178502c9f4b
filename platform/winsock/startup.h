// Whether WSAStartup has been called more often than WSACleanup.
#pragma once

namespace qv::winsock {

// True when Winsock is started; otherwise sets WSANOTINITIALISED and returns false.
bool RequireStarted();

} // namespace qv::winsock
