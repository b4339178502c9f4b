#include "user/system_classes.h"

#include "user/window.h"

#include <strings.h>

namespace qv::user {

void EnsureSystemClasses() {
    // Only ever touched with the user lock held, so a plain flag is enough; it is set before
    // registering because RegisterClassExA looks the name up again (and so comes back here).
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    // Each control keeps its state in one structure reached through its extra bytes.
    constexpr int kStateBytes = sizeof(void*);
    struct Entry {
        const char* name;
        UINT style;
        WNDPROC proc;
        LPCSTR cursor;
        int extra;
    };
    const Entry entries[] = {
        {"Button", CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, ButtonProc, IDC_ARROW,
         kStateBytes},
        {"Static", CS_DBLCLKS | CS_PARENTDC, StaticProc, IDC_ARROW, kStateBytes},
        {"Edit", CS_DBLCLKS | CS_PARENTDC, EditProc, IDC_IBEAM, kStateBytes},
        {"ComboBox", CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, ComboBoxProc, IDC_ARROW,
         kStateBytes},
        {"ComboLBox", CS_DBLCLKS | CS_SAVEBITS, ComboListProc, IDC_ARROW, kStateBytes},
        {"#32770", CS_DBLCLKS | CS_SAVEBITS, DefDlgProcA, IDC_ARROW, DLGWINDOWEXTRA},
    };
    for (const Entry& e : entries) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = e.style | CS_GLOBALCLASS;
        wc.lpfnWndProc = e.proc;
        wc.cbWndExtra = e.extra;
        wc.hCursor = LoadCursorA(nullptr, e.cursor);
        wc.lpszClassName = e.name;
        RegisterClassExA(&wc);
    }
}

bool IsPredefinedControlClass(const std::string& className) {
    for (const char* name : {"Button", "Static", "Edit", "ComboBox", "ComboLBox"})
        if (strcasecmp(className.c_str(), name) == 0)
            return true;
    return false;
}

} // namespace qv::user
