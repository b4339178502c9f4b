// The main module's resources: the registered .res files, indexed once, and the kernel's
// resource functions on top of that index.
#include "kernel/resources.h"

#include <deque>
#include <mutex>
#include <vector>

namespace qv::kernel {

namespace {

// How a resource type or name is given: an ordinal, or a name compared without case.
struct ResourceId {
    WORD ordinal = 0;
    std::string name;

    bool operator==(const ResourceId&) const = default;
};

char UpperAnsi(char c) {
    auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) {
        return static_cast<char>(u - 0x20);
    }
    return c;
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = UpperAnsi(c);
    }
    return text;
}

ResourceId IdFromArgument(LPCSTR argument) {
    if (IS_INTRESOURCE(argument)) {
        return {static_cast<WORD>(reinterpret_cast<ULONG_PTR>(argument)), {}};
    }
    std::string_view text(argument);
    // "#123" is ordinal 123.
    if (text.size() > 1 && text.size() <= 6 && text[0] == '#' &&
        text.find_first_not_of("0123456789", 1) == std::string_view::npos) {
        unsigned long value = std::stoul(std::string(text.substr(1)));
        if (value <= 0xFFFF) {
            return {static_cast<WORD>(value), {}};
        }
    }
    return {0, Upper(std::string(text))};
}

ResourceId IdFromField(ResourceReader& reader) {
    ResourceReader::NameOrOrdinal field = reader.NameOrOrdinalField();
    return {field.ordinal, Upper(std::move(field.text))};
}

// One resource of a .res file. Its address is the HRSRC handed out.
struct Entry {
    ResourceId type;
    ResourceId name;
    WORD language = 0;
    std::span<const BYTE> data;
};

struct Module {
    std::mutex mutex;
    std::vector<std::span<const BYTE>> files;
    size_t indexedFiles = 0;
    // A deque keeps entries in place as files are added.
    std::deque<Entry> entries;
};

// Reached through a function so that registrations from other files' static initialisers find
// it constructed.
Module& TheModule() {
    static Module module;
    return module;
}

// Adds the records of one .res file. A malformed record ends the file: what came before it
// stays usable, nothing after it is trusted.
void IndexFile(std::span<const BYTE> file, std::deque<Entry>& entries) {
    size_t start = 0;
    while (file.size() - start >= 8 * sizeof(DWORD)) {
        ResourceReader reader(file.data() + start, file.size() - start);
        DWORD dataSize = reader.Dword();
        DWORD headerSize = reader.Dword();
        Entry entry;
        entry.type = IdFromField(reader);
        entry.name = IdFromField(reader);
        reader.Align(sizeof(DWORD));
        reader.Dword(); // DataVersion
        reader.Word();  // MemoryFlags
        entry.language = reader.Word();
        reader.Dword(); // Version
        reader.Dword(); // Characteristics
        size_t available = file.size() - start;
        if (!reader.ok() || headerSize < reader.offset() || headerSize > available ||
            dataSize > available - headerSize) {
            return;
        }
        entry.data = file.subspan(start + headerSize, dataSize);
        // The empty record that opens every file is no resource.
        if (entry.type.ordinal != 0 || !entry.type.name.empty()) {
            entries.push_back(std::move(entry));
        }
        size_t next = size_t{headerSize} + dataSize;
        next += (sizeof(DWORD) - next % sizeof(DWORD)) % sizeof(DWORD);
        if (next >= available) {
            return;
        }
        start += next;
    }
}

// The index, brought up to date with the files registered so far. Call with the lock held.
std::deque<Entry>& Entries(Module& module) {
    for (; module.indexedFiles < module.files.size(); ++module.indexedFiles) {
        IndexFile(module.files[module.indexedFiles], module.entries);
    }
    return module.entries;
}

const Entry* FindEntry(HMODULE module, LPCSTR type, LPCSTR name) {
    if (!IsMainModule(module)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    if (type == nullptr || name == nullptr) {
        SetLastError(type == nullptr ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    ResourceId typeId = IdFromArgument(type);
    ResourceId nameId = IdFromArgument(name);
    Module& m = TheModule();
    std::lock_guard lock(m.mutex);
    std::deque<Entry>& entries = Entries(m);
    if (entries.empty()) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    bool typeFound = false;
    for (const Entry& entry : entries) {
        if (entry.type == typeId) {
            typeFound = true;
            if (entry.name == nameId) {
                return &entry;
            }
        }
    }
    SetLastError(typeFound ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

// The entry behind a handle, or null for anything that is not one of ours.
const Entry* EntryFromHandle(HRSRC handle) {
    Module& m = TheModule();
    std::lock_guard lock(m.mutex);
    for (const Entry& entry : m.entries) {
        if (reinterpret_cast<HRSRC>(const_cast<Entry*>(&entry)) == handle) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

void AddModuleResources(const void* data, size_t size) {
    Module& m = TheModule();
    std::lock_guard lock(m.mutex);
    m.files.emplace_back(static_cast<const BYTE*>(data), size);
}

std::optional<std::span<const BYTE>> FindModuleResource(LPCSTR type, LPCSTR name) {
    const Entry* entry = FindEntry(nullptr, type, name);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return entry->data;
}

} // namespace qv::kernel

using qv::kernel::EntryFromHandle;
using qv::kernel::FindEntry;

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    return reinterpret_cast<HRSRC>(const_cast<qv::kernel::Entry*>(FindEntry(hModule, lpType, lpName)));
}

// As on Windows, the "global" a resource loads into is its data in the module's image.
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
    const qv::kernel::Entry* entry = EntryFromHandle(hResInfo);
    if (!qv::kernel::IsMainModule(hModule) || entry == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return const_cast<BYTE*>(entry->data.data());
}

LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    const qv::kernel::Entry* entry = EntryFromHandle(hResInfo);
    if (!qv::kernel::IsMainModule(hModule) || entry == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return static_cast<DWORD>(entry->data.size());
}

// Resources live as long as their module; there is nothing to free.
BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }
