// The table of GDI objects: every handle is looked up here, so that a stale or foreign handle
// fails cleanly. One lock guards the table and everything reached through it.
#pragma once
#include "gdi/display.h"
#include "gdi/font_engine.h"
#include "gdi/icon.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <variant>
#include <vector>

namespace qv::gdi {

struct Pen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct Brush {
    UINT style = BS_SOLID;
    COLORREF color = 0;
};

struct Font {
    LOGFONTA logfont{};
    std::shared_ptr<fonts::RealizedFont> realized;
};

struct Bitmap {
    std::shared_ptr<Surface> surface;
};

// The attributes that SaveDC keeps and RestoreDC brings back.
struct DcState {
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    int mapMode = MM_TEXT;
    int bkMode = OPAQUE;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT position{};
    POINT viewportOrg{};
};

struct Dc {
    // A display DC draws on its target; a memory DC on its selected bitmap.
    bool display = false;
    DisplayTarget target;
    DcState state;
    std::vector<DcState> saved;
    // Device coordinates.
    RECT bounds{};
    bool boundsEnabled = false;
};

struct Icon {
    IconImage image;
};

struct Object {
    std::variant<Pen, Brush, Font, Bitmap, Dc, Icon> data;
    bool stock = false;
    // Deleted while selected into a DC: freed when the last DC lets go of it.
    bool deletePending = false;
};

// Held by every API function for its whole call; recursive so that functions may share helpers.
std::unique_lock<std::recursive_mutex> LockGdi();

HANDLE AddObject(Object object);
Object* FindObject(HANDLE handle);
void RemoveObject(HANDLE handle);
void ForEachDc(const std::function<void(HANDLE, Dc&)>& visit);

template <class T> T* Find(HANDLE handle) {
    Object* object = FindObject(handle);
    return object ? std::get_if<T>(&object->data) : nullptr;
}

// Find<Dc> that sets ERROR_INVALID_HANDLE when it fails.
Dc* FindDc(HDC hdc);

// Runs f on a valid DC under the lock; fallback is what the Windows function returns on failure.
template <class R, class F> R WithDc(HDC hdc, R fallback, F f) {
    auto lock = LockGdi();
    Dc* dc = FindDc(hdc);
    return dc ? f(*dc) : fallback;
}

// Whether any DC, current or saved state, has the object selected.
bool IsSelected(HANDLE handle);
// Whether a DC has the object selected now (saved states aside).
bool IsCurrent(HANDLE handle);
// Frees an object whose deletion was deferred once no DC holds it any more.
void ReleaseIfDeleted(HANDLE handle);

// The stock objects, made on first use.
HGDIOBJ Stock(int index);
HBITMAP DefaultBitmap();

} // namespace qv::gdi
