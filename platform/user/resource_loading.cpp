// The window manager's resource loaders: strings, icons and cursors from the main module, and
// the system's own icons and cursors.
#include "gdi/icon.h"
#include "kernel/resources.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <set>

namespace {

using qv::kernel::FindModuleResource;

// The icon size the desktop asks for (SM_CXICON at 96 dots per inch).
constexpr int kIconSize = 32;

// Loaded icons and cursors are shared, as LoadIcon's are on Windows: one handle per resource,
// valid for the life of the process, whatever DestroyIcon is asked.
struct SharedIcons {
    std::mutex mutex;
    std::map<const BYTE*, HICON> module;
    std::map<WORD, HICON> systemIcons;
    std::map<WORD, HICON> systemCursors;
    std::set<HICON> all;
};

SharedIcons& Shared() {
    static SharedIcons shared;
    return shared;
}

HICON Share(std::map<WORD, HICON>& cache, WORD ordinal,
            std::optional<qv::gdi::IconImage> (*draw)(WORD)) {
    SharedIcons& shared = Shared();
    std::lock_guard lock(shared.mutex);
    auto found = cache.find(ordinal);
    if (found != cache.end()) {
        return found->second;
    }
    std::optional<qv::gdi::IconImage> image = draw(ordinal);
    if (!image) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    HICON icon = qv::gdi::CreateIconFromImage(std::move(*image));
    cache.emplace(ordinal, icon);
    shared.all.insert(icon);
    return icon;
}

HICON LoadModuleIcon(LPCSTR name) {
    std::optional<std::span<const BYTE>> group = FindModuleResource(RT_GROUP_ICON, name);
    if (!group) {
        return nullptr;
    }
    SharedIcons& shared = Shared();
    std::lock_guard lock(shared.mutex);
    auto found = shared.module.find(group->data());
    if (found != shared.module.end()) {
        return found->second;
    }
    // The best image that decodes: a PNG image or a damaged one gives way to the next.
    for (WORD id : qv::kernel::RankIconImages(*group, kIconSize)) {
        std::optional<std::span<const BYTE>> data = FindModuleResource(RT_ICON, MAKEINTRESOURCE(id));
        std::optional<qv::gdi::IconImage> image;
        if (data) {
            image = qv::kernel::DecodeIconImage(*data);
        }
        if (image) {
            HICON icon = qv::gdi::CreateIconFromImage(std::move(*image));
            shared.module.emplace(group->data(), icon);
            shared.all.insert(icon);
            return icon;
        }
    }
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
}

// The text of string uID from its block of sixteen counted UTF-16 strings; nothing when it
// is missing, empty, or the block is malformed.
std::optional<std::string> FindString(UINT uID) {
    if (uID > 0xFFFF) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return std::nullopt;
    }
    std::optional<std::span<const BYTE>> block = FindModuleResource(RT_STRING, MAKEINTRESOURCE((uID >> 4) + 1));
    if (!block) {
        return std::nullopt;
    }
    qv::kernel::ResourceReader reader(block->data(), block->size());
    for (UINT i = 0; i < (uID & 15); ++i) {
        reader.Skip(size_t{reader.Word()} * sizeof(char16_t));
    }
    WORD length = reader.Word();
    std::u16string text;
    for (WORD i = 0; i < length && reader.ok(); ++i) {
        text.push_back(static_cast<char16_t>(reader.Word()));
    }
    if (!reader.ok() || text.empty()) {
        SetLastError(reader.ok() ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_DATA_NOT_FOUND);
        return std::nullopt;
    }
    return qv::kernel::ToAnsi(text);
}

} // namespace

int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
    if (lpBuffer == nullptr || cchBufferMax <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    lpBuffer[0] = '\0';
    if (!qv::kernel::IsMainModule(hInstance)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return 0;
    }
    std::optional<std::string> text = FindString(uID);
    if (!text) {
        return 0;
    }
    // Truncated to the buffer, always terminated.
    size_t copied = std::min(text->size(), static_cast<size_t>(cchBufferMax) - 1);
    text->copy(lpBuffer, copied);
    lpBuffer[copied] = '\0';
    return static_cast<int>(copied);
}

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
    if (hInstance == nullptr) {
        if (!IS_INTRESOURCE(lpIconName)) {
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return nullptr;
        }
        return Share(Shared().systemIcons, LOWORD(reinterpret_cast<ULONG_PTR>(lpIconName)),
                     qv::kernel::SystemIconImage);
    }
    if (!qv::kernel::IsMainModule(hInstance)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    if (lpIconName == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return LoadModuleIcon(lpIconName);
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    if (hInstance == nullptr) {
        if (!IS_INTRESOURCE(lpCursorName)) {
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return nullptr;
        }
        return Share(Shared().systemCursors, LOWORD(reinterpret_cast<ULONG_PTR>(lpCursorName)),
                     qv::kernel::SystemCursorImage);
    }
    if (!qv::kernel::IsMainModule(hInstance)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    // The program carries no cursors; a cursor resource is not read.
    if (lpCursorName != nullptr && FindModuleResource(RT_GROUP_CURSOR, lpCursorName)) {
        SetLastError(ERROR_NOT_SUPPORTED);
    } else if (lpCursorName == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    }
    return nullptr;
}

BOOL WINAPI DestroyIcon(HICON hIcon) {
    SharedIcons& shared = Shared();
    std::lock_guard lock(shared.mutex);
    if (shared.all.count(hIcon) != 0) {
        return TRUE;
    }
    if (!qv::gdi::DeleteIconImage(hIcon)) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return FALSE;
    }
    return TRUE;
}
