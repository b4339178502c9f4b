// Address texts and byte orders.
#include <winsock2.h>

#include <cctype>
#include <cstdio>

namespace {

// One part of a dotted address: decimal, octal (leading 0) or hexadecimal (leading 0x), as the
// classic parser reads them. Returns false on a malformed or oversized part.
bool ReadPart(const char*& text, unsigned long long& value) {
    int base = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text += 2;
        if (!isxdigit(static_cast<unsigned char>(*text))) return false;
    } else if (text[0] == '0') {
        base = 8;
    }
    if (!isdigit(static_cast<unsigned char>(*text)) && base != 16) return false;
    value = 0;
    for (;; ++text) {
        int c = static_cast<unsigned char>(*text);
        int digit;
        if (isdigit(c)) digit = c - '0';
        else if (base == 16 && isxdigit(c)) digit = tolower(c) - 'a' + 10;
        else break;
        if (digit >= base) return false;
        value = value * base + digit;
        if (value > 0xffffffffull) return false;
    }
    return true;
}

} // namespace

unsigned long WSAAPI inet_addr(const char* cp) {
    if (!cp) return INADDR_NONE;
    unsigned long long parts[4];
    int count = 0;
    const char* text = cp;
    for (;;) {
        if (count == 4 || !ReadPart(text, parts[count])) return INADDR_NONE;
        ++count;
        if (*text != '.') break;
        ++text;
    }
    // The address ends at the end of the text or at white space.
    if (*text != '\0' && !isspace(static_cast<unsigned char>(*text))) return INADDR_NONE;
    // a.b.c.d; a.b.c (c fills 16 bits); a.b (b fills 24 bits); a (32 bits).
    unsigned long long host = parts[count - 1];
    unsigned long long lastLimit = 0xffffffffull >> (8 * (count - 1));
    if (host > lastLimit) return INADDR_NONE;
    for (int i = 0; i < count - 1; ++i) {
        if (parts[i] > 0xff) return INADDR_NONE;
        host |= parts[i] << (24 - 8 * i);
    }
    return htonl(static_cast<u_long>(host));
}

char* WSAAPI inet_ntoa(struct in_addr in) {
    // One buffer per thread, valid until the thread's next call, as on Windows.
    thread_local char text[16];
    snprintf(text, sizeof(text), "%u.%u.%u.%u", in.S_un.S_un_b.s_b1, in.S_un.S_un_b.s_b2, in.S_un.S_un_b.s_b3,
             in.S_un.S_un_b.s_b4);
    return text;
}

u_short WSAAPI htons(u_short hostshort) { return __builtin_bswap16(hostshort); }

u_short WSAAPI ntohs(u_short netshort) { return __builtin_bswap16(netshort); }

u_long WSAAPI htonl(u_long hostlong) { return __builtin_bswap32(static_cast<uint32_t>(hostlong)); }

u_long WSAAPI ntohl(u_long netlong) { return __builtin_bswap32(static_cast<uint32_t>(netlong)); }
