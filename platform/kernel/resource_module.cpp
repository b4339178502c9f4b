// The program's own module: the one module whose handle the process hands out.
#include "host/process.h"
#include "kernel/resources.h"


namespace qv::kernel {

namespace {

// The classic base address of a Windows program's image: non-null and recognisable.
HMODULE const kMainModule = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x400000));

std::string LowerAnsi(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// The file name of the running program, in lower case.
std::string ProgramFileName() {
    std::string path = qv::host::GetProcess().ExecutablePath();
    return LowerAnsi(path.substr(path.find_last_of('/') + 1));
}

} // namespace

HMODULE MainModule() { return kMainModule; }

bool IsMainModule(HMODULE module) { return module == nullptr || module == kMainModule; }

} // namespace qv::kernel

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    if (lpModuleName == nullptr) {
        return qv::kernel::MainModule();
    }
    // Only the file name counts; a name without an extension means a ".dll", and a trailing
    // dot means a name without an extension, as Windows reads module names.
    std::string name(lpModuleName);
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    if (name.find('.') == std::string::npos) {
        name += ".dll";
    } else if (name.back() == '.') {
        name.pop_back();
    }
    std::string program = qv::kernel::ProgramFileName();
    if (!program.empty() && qv::kernel::LowerAnsi(name) == program) {
        return qv::kernel::MainModule();
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}
