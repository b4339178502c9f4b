#include "host/clock.h"

#include <windows.h>

#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <thread>

DWORD WINAPI GetTickCount(void) {
    return static_cast<DWORD>(qv::host::GetClock().NowMilliseconds());
}

VOID WINAPI Sleep(DWORD dwMilliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

DWORD WINAPI GetCurrentThreadId(void) { return static_cast<DWORD>(syscall(SYS_gettid)); }

DWORD WINAPI GetCurrentProcessId(void) { return static_cast<DWORD>(getpid()); }

int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator) {
    if (nDenominator == 0)
        return -1;
    long long product = static_cast<long long>(nNumber) * nNumerator;
    // Rounded half away from zero, as Windows does.
    long long half = (nDenominator < 0 ? -nDenominator : nDenominator) / 2;
    long long result = (product < 0) == (nDenominator < 0) ? (product + (product < 0 ? -half : half)) / nDenominator
                                                           : (product - (product < 0 ? -half : half)) / nDenominator;
    if (result > 0x7FFFFFFF || result < -0x7FFFFFFFLL - 1)
        return -1;
    return static_cast<int>(result);
}
