// Conversions between UTF-16 and the narrow code pages: Windows-1252 (CP_ACP and CP_OEMCP on
// this platform) and UTF-8.
#include <windows.h>
#include <winnls.h>

#include <string>

namespace {

constexpr WCHAR kReplacement = 0xFFFD;

// Windows-1252 bytes 0x80..0x9F; the five bytes the code page leaves undefined map to the C1
// control characters of the same value, as Windows maps them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

enum class Charset { Cp1252, Utf8, Unknown };

Charset Resolve(UINT codePage) {
    switch (codePage) {
    case CP_ACP:
    case CP_OEMCP:
    case CP_THREAD_ACP:
    case 1252:
        return Charset::Cp1252;
    case CP_UTF8:
        return Charset::Utf8;
    default:
        return Charset::Unknown;
    }
}

WCHAR FromCp1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : static_cast<WCHAR>(byte);
}

// The Windows-1252 byte of a character, or -1 when the code page has none.
int ToCp1252(WCHAR ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == ch)
            return 0x80 + i;
    }
    return -1;
}

// Decodes UTF-8; each maximal ill-formed part becomes one U+FFFD. Returns false on the first
// ill-formed part when `strict`.
bool DecodeUtf8(const unsigned char* s, int n, bool strict, std::u16string& out) {
    int i = 0;
    while (i < n) {
        const unsigned char lead = s[i];
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        int need = 0;
        char32_t cp = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            need = 1;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            need = 2;
            cp = lead & 0x0F;
            if (lead == 0xE0)
                low = 0xA0;
            if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            need = 3;
            cp = lead & 0x07;
            if (lead == 0xF0)
                low = 0x90;
            if (lead == 0xF4)
                high = 0x8F;
        }
        int j = i + 1;
        bool complete = need > 0;
        for (int k = 0; k < need; ++k, ++j) {
            if (j >= n || s[j] < low || s[j] > high) {
                complete = false;
                break;
            }
            cp = (cp << 6) | (s[j] & 0x3F);
            low = 0x80;
            high = 0xBF;
        }
        if (!complete) {
            if (strict)
                return false;
            out.push_back(kReplacement);
            i = need > 0 ? j : i + 1;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i = j;
    }
    return true;
}

// Encodes UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD, or fails when `strict`.
bool EncodeUtf8(const WCHAR* s, int n, bool strict, std::string& out) {
    for (int i = 0; i < n; ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            if (strict)
                return false;
            cp = kReplacement;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return true;
}

// Copies a converted text out with the size rules both functions share: a zero-sized
// destination asks for the size; a short one fails with ERROR_INSUFFICIENT_BUFFER.
template <typename Char>
int Deliver(const std::basic_string<Char>& text, Char* dst, int dstSize) {
    const int size = static_cast<int>(text.size());
    if (dstSize == 0)
        return size;
    if (size > dstSize) {
        text.copy(dst, static_cast<size_t>(dstSize));
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    text.copy(dst, text.size());
    return size;
}

} // namespace

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
    if (!lpMultiByteStr || cbMultiByte == 0 || cchWideChar < 0 || (!lpWideCharStr && cchWideChar != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const Charset page = Resolve(CodePage);
    if (page == Charset::Unknown) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const DWORD allowed = page == Charset::Utf8
                              ? MB_ERR_INVALID_CHARS
                              : MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS;
    if ((dwFlags & ~allowed) || ((dwFlags & MB_PRECOMPOSED) && (dwFlags & MB_COMPOSITE))) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    // A negative length means the text runs to its terminator, which is converted too.
    const int length = cbMultiByte < 0 ? static_cast<int>(std::char_traits<char>::length(lpMultiByteStr)) + 1
                                       : cbMultiByte;
    const auto* bytes = reinterpret_cast<const unsigned char*>(lpMultiByteStr);
    std::u16string wide;
    if (page == Charset::Utf8) {
        if (!DecodeUtf8(bytes, length, (dwFlags & MB_ERR_INVALID_CHARS) != 0, wide)) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
    } else {
        for (int i = 0; i < length; ++i)
            wide.push_back(FromCp1252(bytes[i]));
    }
    return Deliver(wide, lpWideCharStr, cchWideChar);
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                               LPBOOL lpUsedDefaultChar) {
    if (!lpWideCharStr || cchWideChar == 0 || cbMultiByte < 0 || (!lpMultiByteStr && cbMultiByte != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const Charset page = Resolve(CodePage);
    if (page == Charset::Unknown || (page == Charset::Utf8 && (lpDefaultChar || lpUsedDefaultChar))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const DWORD allowed = page == Charset::Utf8 ? WC_ERR_INVALID_CHARS
                                                 : WC_COMPOSITECHECK | WC_DISCARDNS | WC_SEPCHARS |
                                                       WC_DEFAULTCHAR | WC_NO_BEST_FIT_CHARS;
    if (dwFlags & ~allowed) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    const int length = cchWideChar < 0 ? static_cast<int>(std::char_traits<char16_t>::length(lpWideCharStr)) + 1
                                       : cchWideChar;
    std::string narrow;
    if (page == Charset::Utf8) {
        if (!EncodeUtf8(lpWideCharStr, length, (dwFlags & WC_ERR_INVALID_CHARS) != 0, narrow)) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
    } else {
        // No best-fit table here: every character the code page lacks becomes the default
        // character, as with WC_NO_BEST_FIT_CHARS.
        const char fallback = lpDefaultChar ? *lpDefaultChar : '?';
        bool usedDefault = false;
        for (int i = 0; i < length; ++i) {
            const int byte = ToCp1252(lpWideCharStr[i]);
            usedDefault |= byte < 0;
            narrow.push_back(byte < 0 ? fallback : static_cast<char>(byte));
        }
        if (lpUsedDefaultChar)
            *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    }
    return Deliver(narrow, lpMultiByteStr, cbMultiByte);
}
