#include "gdi/objects.h"

#include <array>
#include <cstring>
#include <unordered_map>

namespace qv::gdi {
namespace {

struct Table {
    std::unordered_map<uintptr_t, std::unique_ptr<Object>> objects;
    // Handles are never reused, so a deleted handle stays invalid.
    uintptr_t next = 0x10000;
    std::array<HGDIOBJ, DC_PEN + 1> stock{};
    HBITMAP defaultBitmap = nullptr;
};

std::recursive_mutex& Mutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

Table& GetTable() {
    static Table table;
    return table;
}

HGDIOBJ AddStock(Object object) {
    object.stock = true;
    return AddObject(std::move(object));
}

Object StockFont(const char* face, LONG height, LONG weight, BYTE pitch) {
    LOGFONTA logfont{};
    logfont.lfHeight = height;
    logfont.lfWeight = weight;
    logfont.lfPitchAndFamily = pitch;
    std::strncpy(logfont.lfFaceName, face, LF_FACESIZE - 1);
    return Object{Font{logfont, nullptr}};
}

HGDIOBJ MakeStock(int index) {
    switch (index) {
    case WHITE_BRUSH: return AddStock({Brush{BS_SOLID, RGB(255, 255, 255)}});
    case LTGRAY_BRUSH: return AddStock({Brush{BS_SOLID, RGB(192, 192, 192)}});
    case GRAY_BRUSH: return AddStock({Brush{BS_SOLID, RGB(128, 128, 128)}});
    case DKGRAY_BRUSH: return AddStock({Brush{BS_SOLID, RGB(64, 64, 64)}});
    case BLACK_BRUSH: return AddStock({Brush{BS_SOLID, RGB(0, 0, 0)}});
    case NULL_BRUSH: return AddStock({Brush{BS_NULL, 0}});
    case WHITE_PEN: return AddStock({Pen{PS_SOLID, 1, RGB(255, 255, 255)}});
    case BLACK_PEN: return AddStock({Pen{PS_SOLID, 1, RGB(0, 0, 0)}});
    case NULL_PEN: return AddStock({Pen{PS_NULL, 1, 0}});
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: return AddStock(StockFont("Courier New", 16, FW_NORMAL, FIXED_PITCH));
    case ANSI_VAR_FONT: return AddStock(StockFont("MS Sans Serif", 13, FW_NORMAL, VARIABLE_PITCH));
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: return AddStock(StockFont("System", 16, FW_BOLD, VARIABLE_PITCH));
    case DEFAULT_GUI_FONT: return AddStock(StockFont("MS Shell Dlg", -11, FW_NORMAL, 0));
    default: return nullptr;
    }
}

} // namespace

std::unique_lock<std::recursive_mutex> LockGdi() { return std::unique_lock(Mutex()); }

HANDLE AddObject(Object object) {
    auto lock = LockGdi();
    Table& table = GetTable();
    const uintptr_t handle = table.next;
    table.next += 4;
    table.objects.emplace(handle, std::make_unique<Object>(std::move(object)));
    return reinterpret_cast<HANDLE>(handle);
}

Object* FindObject(HANDLE handle) {
    auto lock = LockGdi();
    Table& table = GetTable();
    auto found = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    return found == table.objects.end() ? nullptr : found->second.get();
}

void RemoveObject(HANDLE handle) {
    auto lock = LockGdi();
    GetTable().objects.erase(reinterpret_cast<uintptr_t>(handle));
}

void ForEachDc(const std::function<void(HANDLE, Dc&)>& visit) {
    auto lock = LockGdi();
    for (auto& [handle, object] : GetTable().objects)
        if (Dc* dc = std::get_if<Dc>(&object->data))
            visit(reinterpret_cast<HANDLE>(handle), *dc);
}

Dc* FindDc(HDC hdc) {
    Dc* dc = Find<Dc>(hdc);
    if (!dc)
        SetLastError(ERROR_INVALID_HANDLE);
    return dc;
}

bool IsSelected(HANDLE handle) {
    bool selected = false;
    auto holds = [handle](const DcState& s) {
        return s.pen == handle || s.brush == handle || s.font == handle || s.bitmap == handle;
    };
    ForEachDc([&](HANDLE, Dc& dc) {
        selected = selected || holds(dc.state);
        for (const DcState& s : dc.saved)
            selected = selected || holds(s);
    });
    return selected;
}

bool IsCurrent(HANDLE handle) {
    bool current = false;
    ForEachDc([&](HANDLE, Dc& dc) {
        const DcState& s = dc.state;
        current = current || s.pen == handle || s.brush == handle || s.font == handle ||
                  s.bitmap == handle;
    });
    return current;
}

void ReleaseIfDeleted(HANDLE handle) {
    Object* object = FindObject(handle);
    if (object && object->deletePending && !IsSelected(handle))
        RemoveObject(handle);
}

HGDIOBJ Stock(int index) {
    auto lock = LockGdi();
    Table& table = GetTable();
    if (index < 0 || index >= static_cast<int>(table.stock.size()))
        return nullptr;
    if (!table.stock[index])
        table.stock[index] = MakeStock(index);
    return table.stock[index];
}

HBITMAP DefaultBitmap() {
    auto lock = LockGdi();
    Table& table = GetTable();
    if (!table.defaultBitmap) {
        auto surface = std::make_shared<Surface>();
        surface->Resize(1, 1);
        table.defaultBitmap = static_cast<HBITMAP>(AddStock({Bitmap{surface}}));
    }
    return table.defaultBitmap;
}

} // namespace qv::gdi
