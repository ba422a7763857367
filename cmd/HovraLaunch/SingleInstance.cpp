#include "hovra_stdafx.h"

#include "SingleInstance.h"

namespace
{
void BringToFront(HWND hWnd)
{
    ::BringWindowToTop(hWnd);
    ::SetForegroundWindow(hWnd);
}
} // namespace

CSingleInstance::~CSingleInstance()
{
    // The handle itself closes with the process, so the name lives exactly as long as it does.
    if (m_hMutex != nullptr)
        ::ReleaseMutex(m_hMutex);
}

bool CSingleInstance::IsFirstInstance()
{
    std::wstring strName;
    AfxLoadString(IDS_MUTEX_NAME, strName);
    m_hMutex = ::CreateMutexW(nullptr, FALSE, strName.c_str());
    if (::GetLastError() != ERROR_ALREADY_EXISTS)
        return true; // first, or the mutex could not be made at all: run unguarded

    m_hMutex = nullptr;
    std::wstring strTitle;
    AfxLoadString(IDS_MAIN_TITLE, strTitle);
    HWND hMain = ::FindWindowW(nullptr, strTitle.c_str());
    if (hMain != nullptr)
    {
        HWND hPopup = ::GetLastActivePopup(hMain);
        BringToFront(hMain);
        if (::IsIconic(hMain))
            ::ShowWindow(hMain, SW_RESTORE);
        if (hPopup != nullptr && hPopup != hMain)
            BringToFront(hPopup);
    }
    return false;
}
