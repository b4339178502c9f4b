#include "reg/value_text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "reg/arguments.h"

namespace reg {
namespace {

struct Named {
    DWORD type;
    const char* name;
};
const Named kTypes[] = {
    {REG_NONE, "REG_NONE"},         {REG_SZ, "REG_SZ"},       {REG_EXPAND_SZ, "REG_EXPAND_SZ"},
    {REG_BINARY, "REG_BINARY"},     {REG_DWORD, "REG_DWORD"}, {REG_DWORD_BIG_ENDIAN, "REG_DWORD_BIG_ENDIAN"},
    {REG_LINK, "REG_LINK"},         {REG_MULTI_SZ, "REG_MULTI_SZ"}, {REG_QWORD, "REG_QWORD"},
};

std::string Hex(uint64_t n) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(n));
    return text;
}

std::string HexBytes(const std::vector<BYTE>& data) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (BYTE b : data) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

uint64_t LittleEndian(const std::vector<BYTE>& data) {
    uint64_t n = 0;
    for (size_t i = data.size(); i-- > 0;) n = n << 8 | data[i];
    return n;
}

std::vector<BYTE> Terminated(const std::string& text) {
    std::vector<BYTE> out(text.begin(), text.end());
    out.push_back(0);
    return out;
}

// A number in decimal or 0x hex that fits in `max`.
std::optional<uint64_t> ParseNumber(const std::string& text, uint64_t max) {
    std::string_view digits = text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    uint64_t n = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n, base);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || n > max) return std::nullopt;
    return n;
}

} // namespace

std::string TypeName(DWORD type) {
    for (const Named& t : kTypes) {
        if (t.type == type) return t.name;
    }
    return Hex(type);
}

std::optional<DWORD> ParseTypeName(const std::string& name) {
    for (const Named& t : kTypes) {
        if (SameText(name, t.name)) return t.type;
    }
    return std::nullopt;
}

std::string DataText(DWORD type, const std::vector<BYTE>& data) {
    const std::string text(data.begin(), data.end());
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_LINK: return text.substr(0, text.find('\0'));
    case REG_MULTI_SZ: {
        std::string out;
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = std::min(text.find('\0', start), text.size());
            if (end == start) break; // the empty string that ends the list
            if (!out.empty()) out += "\\0";
            out += text.substr(start, end - start);
            start = end + 1;
        }
        return out;
    }
    case REG_DWORD:
        if (data.size() == 4) return Hex(LittleEndian(data));
        break;
    case REG_DWORD_BIG_ENDIAN:
        if (data.size() == 4) return Hex(uint64_t{data[0]} << 24 | data[1] << 16 | data[2] << 8 | data[3]);
        break;
    case REG_QWORD:
        if (data.size() == 8) return Hex(LittleEndian(data));
        break;
    default: break;
    }
    return HexBytes(data);
}

DataResult ParseData(DWORD type, const std::string& text, char separator) {
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: return {Terminated(text), ""};
    case REG_MULTI_SZ: {
        // The strings are separated by the /s character, or by the two characters \0.
        std::vector<BYTE> out;
        const std::string sep = separator != '\0' ? std::string(1, separator) : "\\0";
        size_t start = 0;
        while (!text.empty()) {
            const size_t end = text.find(sep, start);
            const std::string item = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (item.empty()) return {std::nullopt, "Invalid data for REG_MULTI_SZ: an empty string in the list."};
            out.insert(out.end(), item.begin(), item.end());
            out.push_back(0);
            if (end == std::string::npos) break;
            start = end + sep.size();
        }
        out.push_back(0);
        return {out, ""};
    }
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN: {
        const std::optional<uint64_t> n = ParseNumber(text.empty() ? "0" : text, 0xFFFFFFFFu);
        if (!n) {
            return {std::nullopt, "Invalid data for " + TypeName(type) + ": \"" + text +
                                      "\" (give a number from 0 to 4294967295, in decimal or 0x hex)."};
        }
        std::vector<BYTE> out(4);
        for (size_t i = 0; i < 4; ++i) out[type == REG_DWORD ? i : 3 - i] = static_cast<BYTE>(*n >> (8 * i));
        return {out, ""};
    }
    case REG_QWORD: {
        const std::optional<uint64_t> n = ParseNumber(text.empty() ? "0" : text, UINT64_MAX);
        if (!n) {
            return {std::nullopt, "Invalid data for REG_QWORD: \"" + text +
                                      "\" (give a number from 0 to 18446744073709551615, in decimal or 0x hex)."};
        }
        std::vector<BYTE> out(8);
        for (size_t i = 0; i < 8; ++i) out[i] = static_cast<BYTE>(*n >> (8 * i));
        return {out, ""};
    }
    default: {
        std::vector<BYTE> out;
        for (size_t i = 0; i < text.size(); i += 2) {
            auto digit = [](char c) {
                if (c >= '0' && c <= '9') return c - '0';
                if (c >= 'a' && c <= 'f') return c - 'a' + 10;
                if (c >= 'A' && c <= 'F') return c - 'A' + 10;
                return -1;
            };
            const int hi = digit(text[i]);
            const int lo = i + 1 < text.size() ? digit(text[i + 1]) : -1;
            if (hi < 0 || lo < 0) {
                return {std::nullopt, "Invalid data for " + TypeName(type) + ": \"" + text +
                                          "\" (give pairs of hex digits, for example 01ff)."};
            }
            out.push_back(static_cast<BYTE>(hi * 16 + lo));
        }
        return {out, ""};
    }
    }
}

} // namespace reg
