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
    const std::wstring strName = AfxLoadText(IDS_MUTEX_NAME);
    m_hMutex = ::CreateMutexW(nullptr, FALSE, strName.c_str());
    if (::GetLastError() != ERROR_ALREADY_EXISTS)
        return true; // first, or the mutex could not be made at all: run unguarded

    m_hMutex = nullptr;
    const std::wstring strTitle = AfxLoadText(IDS_MAIN_TITLE);
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
