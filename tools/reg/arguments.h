// The command line of reg: an operation, a key and its switches, as reg.exe reads them.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reg {

enum class Operation { Query, Add, Delete, Help };

struct Arguments {
    Operation operation = Operation::Help;
    std::string key;
    std::optional<std::string> valueName; // /v NAME; /ve sets it to the empty (default) name
    bool allValues = false;               // /va
    std::optional<std::string> type;      // /t
    std::optional<std::string> data;      // /d
    std::optional<std::string> separator; // /s, for REG_MULTI_SZ data
    bool force = false;                   // /f
};

// ASCII comparison without case, as reg.exe reads its switches and names.
bool SameText(std::string_view a, std::string_view b);

// The parsed command line, or an error message (without "ERROR: ").
struct ParseResult {
    std::optional<Arguments> arguments;
    std::string error;
};
ParseResult ParseArguments(const std::vector<std::string>& args);

} // namespace reg
