// Connected when a default route exists: through a LAN, or a modem when the route leaves through a
// point-to-point link; a proxy named in the environment adds the proxy flag.
#include "host/network.h"

#include <wininet.h>

BOOL WINAPI InternetGetConnectedState(LPDWORD lpdwFlags, DWORD dwReserved) {
    (void)dwReserved;
    auto& network = qv::host::GetNetwork();
    qv::host::DefaultRoute route = network.Route();
    DWORD flags = 0;
    if (route.exists) {
        flags = route.pointToPoint ? INTERNET_CONNECTION_MODEM : INTERNET_CONNECTION_LAN;
        if (network.ProxyConfigured()) flags |= INTERNET_CONNECTION_PROXY;
    }
    if (lpdwFlags) *lpdwFlags = flags;
    return route.exists ? TRUE : FALSE;
}
