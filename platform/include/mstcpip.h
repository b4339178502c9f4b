// Microsoft-specific TCP/IP socket controls: the receive-all switch.
#pragma once
#include <winsock2.h>

#define IOC_VENDOR 0x18000000
#define IOC_IN 0x80000000
#define _WSAIOW(x, y) (IOC_IN | (x) | (y))

#define SIO_RCVALL _WSAIOW(IOC_VENDOR, 1)

typedef enum {
    RCVALL_OFF = 0,
    RCVALL_ON = 1,
    RCVALL_SOCKETLEVELONLY = 2,
    RCVALL_IPLEVEL = 3,
} RCVALL_VALUE, *PRCVALL_VALUE;
