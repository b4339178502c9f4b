// CoInitialize and friends: a per-thread count of initialisations and the thread's model.
#include "com/apartment.h"

#include <objbase.h>

#include <atomic>

namespace {

// Threads in the multithreaded apartment; while there is one, every thread of the process may
// use COM (the implicit multithreaded apartment).
std::atomic<int> g_multithreadedThreads{0};

struct ThreadApartment {
    int initCount = 0;
    bool multithreaded = false;
    // A thread that ends without CoUninitialize leaves the multithreaded apartment all the same.
    ~ThreadApartment() {
        if (initCount > 0 && multithreaded)
            --g_multithreadedThreads;
    }
};

thread_local ThreadApartment t_apartment;

} // namespace

namespace qv::com {

bool IsComInitialized() {
    return t_apartment.initCount > 0 || g_multithreadedThreads.load() > 0;
}

} // namespace qv::com

HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit) {
    constexpr DWORD known = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE | COINIT_SPEED_OVER_MEMORY;
    if (pvReserved || (dwCoInit & ~known))
        return E_INVALIDARG;
    const bool multithreaded = !(dwCoInit & COINIT_APARTMENTTHREADED);
    ThreadApartment& apartment = t_apartment;
    if (apartment.initCount > 0) {
        if (apartment.multithreaded != multithreaded)
            return RPC_E_CHANGED_MODE;
        ++apartment.initCount;
        return S_FALSE;
    }
    apartment.initCount = 1;
    apartment.multithreaded = multithreaded;
    if (multithreaded)
        ++g_multithreadedThreads;
    return S_OK;
}

HRESULT WINAPI CoInitialize(LPVOID pvReserved) {
    return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
}

void WINAPI CoUninitialize(void) {
    ThreadApartment& apartment = t_apartment;
    if (apartment.initCount == 0)
        return;
    if (--apartment.initCount == 0 && apartment.multithreaded)
        --g_multithreadedThreads;
}
