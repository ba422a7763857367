#include "WinApp.h"

namespace
{
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp()
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return 0;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetResourceHandle()
{
    if (g_pApp != nullptr && g_pApp->m_hInstance != nullptr)
        return g_pApp->m_hInstance;
    return ::GetModuleHandleW(nullptr);
}

LPCWSTR AfxCommandLineTail(LPCWSTR pszCommandLine)
{
    if (pszCommandLine == nullptr)
        return L"";
    LPCWSTR p = pszCommandLine;
    if (*p == L'"')
    {
        ++p;
        while (*p != L'\0' && *p != L'"')
            ++p;
        if (*p == L'"')
            ++p;
    }
    else
    {
        while (*p > L' ')
            ++p;
    }
    while (*p != L'\0' && *p <= L' ')
        ++p;
    return p;
}

int AfxWinMain(HINSTANCE hInstance, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return 1;
    pApp->m_hInstance = hInstance;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_lpCmdLine = AfxCommandLineTail(::GetCommandLineW());
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}
