#include <windows.h>

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

DWORD WINAPI GetLastError(void) { return lastError; }

VOID WINAPI SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }
