// reg: reads and edits the registry with the syntax of Windows' reg.exe:
//   reg query KEY [/v NAME | /ve]
//   reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]
//   reg delete KEY [/v NAME | /ve | /va] [/f]
#include <cstdio>
#include <string>
#include <vector>

#include "reg/arguments.h"
#include "reg/commands.h"
#include "reg/key_name.h"

namespace {

const char kUsage[] =
    "REG QUERY KeyName [/v ValueName | /ve]\n"
    "REG ADD KeyName [/v ValueName | /ve] [/t Type] [/s Separator] [/d Data] [/f]\n"
    "REG DELETE KeyName [/v ValueName | /ve | /va] [/f]\n"
    "\n"
    "  KeyName    ROOTKEY\\SubKey, ROOTKEY one of HKCU, HKCR, HKLM, HKU\n"
    "             (or HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, HKEY_USERS)\n"
    "  /v         the value to query, add or delete;  /ve  the default value (no name)\n"
    "  /va        every value of the key\n"
    "  /t         REG_SZ (the default), REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD,\n"
    "             REG_BINARY, REG_NONE\n"
    "  /d         the data: text, a number (decimal or 0x hex), or hex bytes for REG_BINARY;\n"
    "             REG_MULTI_SZ strings are separated by \\0 unless /s gives another character\n"
    "  /f         overwrite or delete without asking\n";

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const reg::ParseResult parsed = reg::ParseArguments(args);
    if (!parsed.arguments) {
        std::fprintf(stderr, "ERROR: %s\nType \"REG /?\" for usage.\n", parsed.error.c_str());
        return 1;
    }
    const reg::Arguments& arguments = *parsed.arguments;
    if (arguments.operation == reg::Operation::Help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const std::optional<reg::KeyName> key = reg::ParseKeyName(arguments.key);
    if (!key) {
        std::fprintf(stderr, "ERROR: Invalid key name \"%s\".\nType \"REG /?\" for usage.\n", arguments.key.c_str());
        return 1;
    }
    switch (arguments.operation) {
    case reg::Operation::Query: return reg::Query(*key, arguments);
    case reg::Operation::Add: return reg::Add(*key, arguments);
    default: return reg::Delete(*key, arguments);
    }
}
