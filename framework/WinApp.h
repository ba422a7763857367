// CWinApp: the one application object of the process, constructed as a global before the entry
// point runs. The entry point fills m_hInstance and m_lpCmdLine and calls InitInstance; when that
// answers FALSE the process ends at once (a dialog program), otherwise Run pumps messages.
#pragma once

#include <windows.h>

class CWnd;

class CWinApp
{
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    HINSTANCE m_hInstance = nullptr;
    // The command line after the program name, exactly as the process got it (see
    // AfxCommandLineTail). Never null.
    LPCWSTR m_lpCmdLine = L"";
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
};

CWinApp* AfxGetApp();
// The module whose resources (templates, texts, images) the program uses.
HINSTANCE AfxGetResourceHandle();

// The part of a process command line after the program name and the blanks that follow it,
// split the way the C run-time does for WinMain: a quoted program name ends at the next
// quote, an unquoted one at the first blank or control character. The rest is not touched.
LPCWSTR AfxCommandLineTail(LPCWSTR pszCommandLine);

// What the entry point runs.
int AfxWinMain(HINSTANCE hInstance, int nCmdShow);
