#include "winsock/errors.h"

#include <winsock2.h>

#include <cerrno>

namespace qv::winsock {

int ErrorFromErrno(int error) {
    switch (error) {
    case EINTR: return WSAEINTR;
    case EBADF: return WSAEBADF;
    case EPERM:
    case EACCES: return WSAEACCES;
    case EFAULT: return WSAEFAULT;
    case EINVAL: return WSAEINVAL;
    case EMFILE:
    case ENFILE: return WSAEMFILE;
    case EAGAIN: return WSAEWOULDBLOCK;
    case EINPROGRESS: return WSAEINPROGRESS;
    case EMSGSIZE: return WSAEMSGSIZE;
    case EPROTONOSUPPORT: return WSAEPROTONOSUPPORT;
    case EAFNOSUPPORT: return WSAEAFNOSUPPORT;
    case EOPNOTSUPP: return WSAEOPNOTSUPP;
    case EADDRINUSE: return WSAEADDRINUSE;
    case ENODEV:
    case ENXIO:
    case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
    case ENETDOWN: return WSAENETDOWN;
    case ENETUNREACH: return WSAENETUNREACH;
    case ENOBUFS:
    case ENOMEM: return WSAENOBUFS;
    case ETIMEDOUT: return WSAETIMEDOUT;
    default: return WSAENETDOWN;
    }
}

} // namespace qv::winsock
