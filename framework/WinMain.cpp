// The program's entry: runs the application object that the program defines.
#include "framework/CWinApp.h"
#include "framework/CWnd.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nShowCmd) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->InitApplication(hInstance, lpCmdLine, nShowCmd);
    if (!pApp->InitInstance()) {
        // No loop will run for a main window left behind.
        if (CWnd* pMainWnd = pApp->m_pMainWnd; pMainWnd && ::IsWindow(pMainWnd->m_hWnd))
            pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
