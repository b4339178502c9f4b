// Class identifiers in text ("{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}") and ProgIDs, which the
// registry's class keys map to them: HKEY_CLASSES_ROOT\<ProgID>\CLSID holds the braced text as
// its default value.
#include <objbase.h>
#include <windows.h>
#include <winnls.h>

#include <cstring>
#include <string>

namespace {

constexpr int kGuidTextLength = 38;

int HexDigit(OLECHAR ch) {
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'a' && ch <= u'f')
        return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F')
        return ch - u'A' + 10;
    return -1;
}

// Reads `digits` hex digits at `text`; false when one is not a hex digit.
bool ReadHex(const OLECHAR* text, int digits, uint64_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<uint64_t>(digit);
    }
    return true;
}

bool ParseGuid(const OLECHAR* text, GUID& guid) {
    for (int i = 0; i < kGuidTextLength; ++i) {
        if (text[i] == 0)
            return false;
    }
    if (text[kGuidTextLength] != 0 || text[0] != u'{' || text[9] != u'-' || text[14] != u'-' ||
        text[19] != u'-' || text[24] != u'-' || text[37] != u'}')
        return false;
    uint64_t data1, data2, data3, clock, node;
    if (!ReadHex(text + 1, 8, data1) || !ReadHex(text + 10, 4, data2) || !ReadHex(text + 15, 4, data3) ||
        !ReadHex(text + 20, 4, clock) || !ReadHex(text + 25, 12, node))
        return false;
    guid.Data1 = static_cast<DWORD>(data1);
    guid.Data2 = static_cast<WORD>(data2);
    guid.Data3 = static_cast<WORD>(data3);
    guid.Data4[0] = static_cast<BYTE>(clock >> 8);
    guid.Data4[1] = static_cast<BYTE>(clock);
    for (int i = 0; i < 6; ++i)
        guid.Data4[2 + i] = static_cast<BYTE>(node >> (8 * (5 - i)));
    return true;
}

// The default value of HKEY_CLASSES_ROOT\<progId>\CLSID, or an empty text.
std::string ReadProgIdClass(const std::string& progId) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, (progId + "\\CLSID").c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::string();
    char text[kGuidTextLength + 2] = {};
    DWORD type = 0;
    DWORD size = sizeof text;
    const LONG result = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(text), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return std::string();
    return std::string(text, strnlen(text, size));
}

} // namespace

HRESULT WINAPI CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid) {
    if (!lpsz || !pclsid)
        return E_INVALIDARG;
    if (!ParseGuid(lpsz, *pclsid)) {
        *pclsid = CLSID_NULL;
        return CO_E_CLASSSTRING;
    }
    return S_OK;
}

int WINAPI StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax) {
    if (!lpsz || cchMax < kGuidTextLength + 1)
        return 0;
    static const char digits[] = "0123456789ABCDEF";
    OLECHAR* out = lpsz;
    auto hex = [&out](uint64_t value, int count) {
        for (int i = count - 1; i >= 0; --i)
            *out++ = static_cast<OLECHAR>(digits[(value >> (4 * i)) & 0xF]);
    };
    *out++ = u'{';
    hex(rguid.Data1, 8);
    *out++ = u'-';
    hex(rguid.Data2, 4);
    *out++ = u'-';
    hex(rguid.Data3, 4);
    *out++ = u'-';
    hex(rguid.Data4[0], 2);
    hex(rguid.Data4[1], 2);
    *out++ = u'-';
    for (int i = 2; i < 8; ++i)
        hex(rguid.Data4[i], 2);
    *out++ = u'}';
    *out = 0;
    return kGuidTextLength + 1;
}

HRESULT WINAPI CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid) {
    if (!lpszProgID || !lpclsid)
        return E_INVALIDARG;
    *lpclsid = CLSID_NULL;
    char narrow[256];
    const int length = WideCharToMultiByte(CP_ACP, 0, lpszProgID, -1, narrow, sizeof narrow, nullptr, nullptr);
    // A ProgID names one key; a backslash would reach into another.
    const std::string progId(narrow, length > 0 ? static_cast<size_t>(length - 1) : 0);
    if (progId.empty() || progId.find('\\') != std::string::npos)
        return CO_E_CLASSSTRING;
    const std::string clsid = ReadProgIdClass(progId);
    OLECHAR wide[kGuidTextLength + 1];
    if (clsid.size() != kGuidTextLength ||
        MultiByteToWideChar(CP_ACP, 0, clsid.c_str(), -1, wide, kGuidTextLength + 1) == 0)
        return CO_E_CLASSSTRING;
    return CLSIDFromString(wide, lpclsid);
}
