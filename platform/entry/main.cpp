// The process entry on Linux: the program itself begins at WinMain, as on Windows.
#include "desktop/session.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);

int main() {
    qv::desktop::Session session;
    int code = WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOWDEFAULT);
    session.Finish();
    return code;
}
