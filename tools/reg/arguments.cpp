#include "reg/arguments.h"

namespace reg {
namespace {

bool IsSwitch(const std::string& arg, std::string_view name) {
    return arg.size() == name.size() + 1 && (arg[0] == '/' || arg[0] == '-') &&
           SameText(std::string_view(arg).substr(1), name);
}

ParseResult Fail(std::string message) { return ParseResult{std::nullopt, std::move(message)}; }

} // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

ParseResult ParseArguments(const std::vector<std::string>& args) {
    Arguments parsed;
    if (args.empty()) return Fail("Invalid syntax.");
    if (IsSwitch(args[0], "?")) return ParseResult{parsed, ""};
    if (SameText(args[0], "query")) {
        parsed.operation = Operation::Query;
    } else if (SameText(args[0], "add")) {
        parsed.operation = Operation::Add;
    } else if (SameText(args[0], "delete")) {
        parsed.operation = Operation::Delete;
    } else {
        return Fail("Invalid operation \"" + args[0] + "\"; use QUERY, ADD or DELETE.");
    }
    if (args.size() > 1 && IsSwitch(args[1], "?")) return ParseResult{Arguments{}, ""};
    if (args.size() < 2) return Fail("Invalid syntax: the key is missing.");
    parsed.key = args[1];

    const bool adding = parsed.operation == Operation::Add;
    const bool deleting = parsed.operation == Operation::Delete;
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // The switches that take the next argument.
        auto takeNext = [&](std::optional<std::string>& into) {
            if (into || i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        bool ok = true;
        if (IsSwitch(arg, "v")) {
            ok = takeNext(parsed.valueName);
        } else if (IsSwitch(arg, "ve")) {
            ok = !parsed.valueName;
            parsed.valueName = "";
        } else if (IsSwitch(arg, "va") && deleting) {
            ok = !parsed.allValues;
            parsed.allValues = true;
        } else if (IsSwitch(arg, "t") && adding) {
            ok = takeNext(parsed.type);
        } else if (IsSwitch(arg, "d") && adding) {
            ok = takeNext(parsed.data);
        } else if (IsSwitch(arg, "s") && adding) {
            ok = takeNext(parsed.separator);
        } else if (IsSwitch(arg, "f") && (adding || deleting)) {
            ok = !parsed.force;
            parsed.force = true;
        } else {
            return Fail("Invalid syntax: unexpected \"" + arg + "\".");
        }
        if (!ok) return Fail("Invalid syntax: \"" + arg + "\" is repeated or lacks its argument.");
    }
    if (parsed.allValues && parsed.valueName) return Fail("Invalid syntax: /va cannot be combined with /v or /ve.");
    if (parsed.separator && parsed.separator->size() != 1) return Fail("Invalid syntax: /s takes one character.");
    return ParseResult{parsed, ""};
}

} // namespace reg
