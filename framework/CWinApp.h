// The application: the one object of a class derived from CWinApp, a global that the program
// defines. WinMain (framework/WinMain.cpp) initialises it and runs it.
#pragma once
#include "framework/CWinThread.h"

#include <string>
#include <windows.h>

// The framework's help command, as F1 raises it.
#define ID_HELP 0xE146

class CWinApp : public CWinThread {
public:
    // A null name takes the default: the program's file name without folder or extension.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCSTR m_pszAppName = nullptr;
    // The registry key that the application's profile settings would go under, and the
    // profile's name (the application's name once a key is set).
    LPCSTR m_pszRegistryKey = nullptr;
    LPCSTR m_pszProfileName = nullptr;

    // Records the key name; nothing is written to the registry.
    void SetRegistryKey(LPCSTR lpszRegistryKey);

    // Called by WinMain before InitInstance: the process's start-up arguments.
    void InitApplication(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);

    // The default help: the application ships no help file, so there is nothing to show,
    // which is what Windows' help does when the file is missing.
    afx_msg void OnHelp();

private:
    std::string m_strAppName;
    std::string m_strRegistryKey;
    std::string m_strProfileName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The application's instance, or the program's module before WinMain has run.
HINSTANCE AfxGetInstanceHandle();
LPCSTR AfxGetAppName();
// A message box owned by the main window, with the application's name as its caption.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK);
