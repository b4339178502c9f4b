#include <windows.h>

#include <strings.h>

#include <cstring>

int WINAPI lstrlenA(LPCSTR lpString) {
    return lpString ? static_cast<int>(std::strlen(lpString)) : 0;
}

LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2) {
    if (!lpString1 || !lpString2)
        return nullptr;
    return std::strcpy(lpString1, lpString2);
}

LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
    if (!lpString1 || !lpString2 || iMaxLength <= 0)
        return iMaxLength == 0 ? lpString1 : nullptr;
    size_t n = strnlen(lpString2, static_cast<size_t>(iMaxLength - 1));
    std::memcpy(lpString1, lpString2, n);
    lpString1[n] = '\0';
    return lpString1;
}

int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) {
    int r = std::strcmp(lpString1 ? lpString1 : "", lpString2 ? lpString2 : "");
    return (r > 0) - (r < 0);
}

int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) {
    int r = strcasecmp(lpString1 ? lpString1 : "", lpString2 ? lpString2 : "");
    return (r > 0) - (r < 0);
}
