// The Internet connection service (Wininet.dll): whether this machine is connected.
#pragma once
#include <windows.h>

#define INTERNET_CONNECTION_MODEM 0x01
#define INTERNET_CONNECTION_LAN 0x02
#define INTERNET_CONNECTION_PROXY 0x04
#define INTERNET_CONNECTION_MODEM_BUSY 0x08
#define INTERNET_RAS_INSTALLED 0x10
#define INTERNET_CONNECTION_OFFLINE 0x20
#define INTERNET_CONNECTION_CONFIGURED 0x40

BOOL WINAPI InternetGetConnectedState(LPDWORD lpdwFlags, DWORD dwReserved);
