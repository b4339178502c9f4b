#include "framework/CWinApp.h"

#include "framework/CWnd.h"

#include <string>
#include <windows.h>

namespace {

CWinApp* g_pApp = nullptr;

// The module's file name without its folder and extension.
std::string ModuleBaseName(HINSTANCE hInstance) {
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(hInstance, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    std::string name(path, length);
    name.erase(0, name.find_last_of("\\/:") + 1);
    if (auto dot = name.rfind('.'); dot != std::string::npos && dot != 0)
        name.erase(dot);
    return name;
}

} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName) {
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName.c_str();
    }
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
    if (!lpszRegistryKey)
        return;
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey.c_str();
    m_strProfileName = m_pszAppName ? m_pszAppName : "";
    m_pszProfileName = m_strProfileName.c_str();
}

void CWinApp::InitApplication(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow) {
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;
    if (!m_pszAppName) {
        m_strAppName = ModuleBaseName(hInstance);
        m_pszAppName = m_strAppName.c_str();
    }
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

CWnd* AfxGetMainWnd() {
    return g_pApp ? g_pApp->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    if (g_pApp && g_pApp->m_hInstance)
        return g_pApp->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

LPCSTR AfxGetAppName() {
    return g_pApp ? g_pApp->m_pszAppName : nullptr;
}

void CWinApp::OnHelp() {}
