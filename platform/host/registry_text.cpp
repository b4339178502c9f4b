#include "host/registry_text.h"

#include <array>
#include <charconv>

namespace qv::host {
namespace {

struct TypeName {
    uint32_t type;
    std::string_view name;
};
constexpr std::array<TypeName, 9> kTypeNames{{{0, "none"},
                                             {1, "sz"},
                                             {2, "expand_sz"},
                                             {3, "binary"},
                                             {4, "dword"},
                                             {5, "dword_be"},
                                             {6, "link"},
                                             {7, "multi_sz"},
                                             {11, "qword"}}};

bool IsStringType(uint32_t type) { return type == 1 || type == 2 || type == 6 || type == 7; }

// The width of the number form of a type, or 0 when it has none.
size_t NumberWidth(uint32_t type) {
    if (type == 4 || type == 5) return 4;
    if (type == 11) return 8;
    return 0;
}

const char kHex[] = "0123456789abcdef";

void AppendHexByte(std::string& out, uint8_t b) {
    out += kHex[b >> 4];
    out += kHex[b & 15];
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool Printable(uint8_t b) { return b >= 0x20 && b <= 0x7E; }

void AppendQuoted(std::string& out, std::string_view bytes) {
    out += '"';
    for (char ch : bytes) {
        const auto b = static_cast<uint8_t>(ch);
        switch (b) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case 0: out += "\\0"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default:
            if (Printable(b)) {
                out += ch;
            } else {
                out += "\\x";
                AppendHexByte(out, b);
            }
        }
    }
    out += '"';
}

void AppendComponent(std::string& out, std::string_view name) {
    for (char ch : name) {
        const auto b = static_cast<uint8_t>(ch);
        if (Printable(b) && b != '%') {
            out += ch;
        } else {
            out += '%';
            AppendHexByte(out, b);
        }
    }
}

void AppendValue(std::string& out, const RegistryValue& value) {
    if (value.name.empty()) {
        out += '@';
    } else {
        AppendQuoted(out, value.name);
    }
    out += '=';
    std::string_view typeName;
    for (const TypeName& t : kTypeNames) {
        if (t.type == value.type) typeName = t.name;
    }
    if (typeName.empty()) {
        out += std::to_string(value.type);
    } else {
        out += typeName;
    }
    out += ':';
    const size_t width = NumberWidth(value.type);
    if (IsStringType(value.type)) {
        AppendQuoted(out, std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()));
    } else if (width != 0 && value.data.size() == width) {
        out += "0x";
        const bool bigEndian = value.type == 5;
        for (size_t i = 0; i < width; ++i) AppendHexByte(out, value.data[bigEndian ? i : width - 1 - i]);
    } else {
        out += "hex:";
        for (size_t i = 0; i < value.data.size(); ++i) {
            if (i != 0) out += ',';
            AppendHexByte(out, value.data[i]);
        }
    }
    out += '\n';
}

void AppendKey(std::string& out, const RegistryKey& key, const std::string& path) {
    out += '[';
    out += path;
    out += "]\n";
    for (const RegistryValue& value : key.values) AppendValue(out, value);
    out += '\n';
    for (const RegistryKey& subkey : key.subkeys) {
        std::string subpath = path + '\\';
        AppendComponent(subpath, subkey.name);
        AppendKey(out, subkey, subpath);
    }
}

// Reads a quoted string at the start of `in`, consuming it.
std::optional<std::string> TakeQuoted(std::string_view& in) {
    if (in.empty() || in[0] != '"') return std::nullopt;
    std::string out;
    size_t i = 1;
    while (i < in.size() && in[i] != '"') {
        if (in[i] != '\\') {
            out += in[i++];
            continue;
        }
        if (++i >= in.size()) return std::nullopt;
        switch (in[i]) {
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case '0': out += '\0'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 'x': {
            if (i + 2 >= in.size()) return std::nullopt;
            const int hi = HexDigit(in[i + 1]);
            const int lo = HexDigit(in[i + 2]);
            if (hi < 0 || lo < 0) return std::nullopt;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
        }
        default: return std::nullopt;
        }
        ++i;
    }
    if (i >= in.size()) return std::nullopt;
    in.remove_prefix(i + 1);
    return out;
}

std::optional<std::vector<std::string>> ParsePath(std::string_view path) {
    std::vector<std::string> components(1);
    for (size_t i = 0; i < path.size(); ++i) {
        const char ch = path[i];
        if (ch == '\\') {
            if (components.back().empty()) return std::nullopt;
            components.emplace_back();
        } else if (ch == '%') {
            if (i + 2 >= path.size()) return std::nullopt;
            const int hi = HexDigit(path[i + 1]);
            const int lo = HexDigit(path[i + 2]);
            if (hi < 0 || lo < 0) return std::nullopt;
            components.back() += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            components.back() += ch;
        }
    }
    if (components.back().empty() || !SameRegistryName(components.front(), kRegistryRootName)) return std::nullopt;
    return components;
}

std::optional<uint32_t> ParseType(std::string_view name) {
    for (const TypeName& t : kTypeNames) {
        if (t.name == name) return t.type;
    }
    uint32_t type = 0;
    auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), type);
    if (name.empty() || ec != std::errc() || end != name.data() + name.size()) return std::nullopt;
    return type;
}

std::optional<std::vector<uint8_t>> ParseData(uint32_t type, std::string_view in) {
    if (!in.empty() && in[0] == '"') {
        std::optional<std::string> bytes = TakeQuoted(in);
        if (!bytes || !in.empty()) return std::nullopt;
        return std::vector<uint8_t>(bytes->begin(), bytes->end());
    }
    if (in.starts_with("hex:")) {
        in.remove_prefix(4);
        std::vector<uint8_t> out;
        while (!in.empty()) {
            if (!out.empty()) {
                if (in[0] != ',') return std::nullopt;
                in.remove_prefix(1);
            }
            if (in.size() < 2 || HexDigit(in[0]) < 0 || HexDigit(in[1]) < 0) return std::nullopt;
            out.push_back(static_cast<uint8_t>(HexDigit(in[0]) * 16 + HexDigit(in[1])));
            in.remove_prefix(2);
        }
        return out;
    }
    const size_t width = NumberWidth(type);
    if (width == 0 || !in.starts_with("0x")) return std::nullopt;
    in.remove_prefix(2);
    uint64_t number = 0;
    auto [end, ec] = std::from_chars(in.data(), in.data() + in.size(), number, 16);
    if (in.empty() || ec != std::errc() || end != in.data() + in.size()) return std::nullopt;
    if (width == 4 && number > 0xFFFFFFFFu) return std::nullopt;
    std::vector<uint8_t> out(width);
    for (size_t i = 0; i < width; ++i) {
        const auto b = static_cast<uint8_t>(number >> (8 * i));
        out[type == 5 ? width - 1 - i : i] = b;
    }
    return out;
}

bool ParseValueLine(std::string_view line, RegistryKey& key) {
    std::string name;
    if (line.starts_with('@')) {
        line.remove_prefix(1);
    } else {
        std::optional<std::string> quoted = TakeQuoted(line);
        if (!quoted || quoted->empty()) return false;
        name = std::move(*quoted);
    }
    if (!line.starts_with('=')) return false;
    line.remove_prefix(1);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    const std::optional<uint32_t> type = ParseType(line.substr(0, colon));
    if (!type) return false;
    std::optional<std::vector<uint8_t>> data = ParseData(*type, line.substr(colon + 1));
    if (!data) return false;
    key.SetValue(name, *type, std::move(*data));
    return true;
}

} // namespace

std::string FormatRegistryText(const RegistryKey& root) {
    std::string out =
        "# Quorva Velocitor registry of this user: a [key] section per key, NAME=TYPE:DATA per value.\n"
        "# Strings are quoted with C escapes (\\0 is a NUL byte); edit with care, keep the format.\n";
    AppendKey(out, root, std::string(kRegistryRootName));
    return out;
}

std::optional<RegistryKey> ParseRegistryText(std::string_view text) {
    RegistryKey root;
    root.name = std::string(kRegistryRootName);
    RegistryKey* current = nullptr;
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (line[0] == '[') {
            if (!line.ends_with(']')) return std::nullopt;
            std::optional<std::vector<std::string>> path = ParsePath(line.substr(1, line.size() - 2));
            if (!path) return std::nullopt;
            current = &root;
            for (size_t i = 1; i < path->size(); ++i) current = &current->AddSubkey((*path)[i]);
            continue;
        }
        if (current == nullptr || !ParseValueLine(line, *current)) return std::nullopt;
    }
    return root;
}

} // namespace qv::host
