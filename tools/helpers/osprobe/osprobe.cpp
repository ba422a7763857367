// Prints what the launchpad makes of the Windows it runs on: the catalogue entry the
// identification chose, whether a warning is due, the entry's test result and display text, and
// the version the system reports to this program (which depends on its manifest).
//
//   entry=24 warning=0 status=1 version=10.0 text=Windows 10 x64, 10.0
#include <windows.h>

#include <cstdio>
#include <string>

#include "HovraLaunch.h"
#include "Security.h"

int wmain()
{
    const bool bNoWarning = SelectCurrentOs();
    int nEntry = 0;
    for (int i = 1; i <= kCatalogueEntryCount && nEntry == 0; ++i)
        if (g_prerequisites[i].nNameId == g_prerequisites[0].nNameId)
            nEntry = i;

    INT32 nStatus = 0;
    wchar_t szText[260] = {};
    if (g_prerequisites[0].pfnTest != nullptr)
        nStatus = g_prerequisites[0].pfnTest(szText, 260);

    CSecurity security;
    const std::wstring line = L"entry=" + std::to_wstring(nEntry) + L" warning=" +
                              (bNoWarning ? L"0" : L"1") + L" status=" + std::to_wstring(nStatus) +
                              L" version=" + std::to_wstring(security.GetMajorVersion()) + L"." +
                              std::to_wstring(security.GetMinorVersion()) + L" text=" + szText;
    const int cb = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(cb), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), cb, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
    return 0;
}
