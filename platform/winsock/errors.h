// Winsock's error codes for the errno values the host layer reports.
#pragma once

namespace qv::winsock {

int ErrorFromErrno(int error);

} // namespace qv::winsock
