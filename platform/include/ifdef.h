// Interface index type shared by the IP helper's tables.
#pragma once
#include <windows.h>

typedef ULONG NET_IFINDEX, *PNET_IFINDEX;
typedef NET_IFINDEX IF_INDEX, *PIF_INDEX;
