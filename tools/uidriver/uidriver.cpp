// Drives the launchpad from a second Win32 process in the same Wine prefix, the way a user's
// clicks and an observer's eyes would: it finds windows by title, reads texts, presses buttons,
// minimises and restores. Every command prints its answer on one line and exits 0 on success.
//
//   uidriver wait-window TITLE TIMEOUT_MS     hwnd of the visible top-level window, once it shows
//   uidriver wait-gone TITLE TIMEOUT_MS       succeeds once no window has that title
//   uidriver count-windows TITLE              number of visible top-level windows with that title
//   uidriver get-text TITLE [CONTROL_ID]      text of the window or of one of its controls
//   uidriver click TITLE CONTROL_ID           posts BM_CLICK to the control
//   uidriver close TITLE                      posts WM_CLOSE
//   uidriver minimize TITLE | is-iconic TITLE
//   uidriver foreground                       title of the foreground window
//   uidriver popup TITLE                      title of the window's last active pop-up
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace
{
struct Search
{
    const wchar_t* title;
    int count;
    HWND first;
};

std::wstring TextOf(HWND hWnd)
{
    wchar_t buffer[4096] = L"";
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                          nullptr);
    return buffer;
}

// The caption of a top-level window of another process, read without sending it a message.
std::wstring CaptionOf(HWND hWnd)
{
    wchar_t buffer[1024] = L"";
    ::GetWindowTextW(hWnd, buffer, 1024);
    return buffer;
}

BOOL CALLBACK Collect(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<Search*>(lParam);
    if (::IsWindowVisible(hWnd) && CaptionOf(hWnd) == pSearch->title)
    {
        if (pSearch->count++ == 0)
            pSearch->first = hWnd;
    }
    return TRUE;
}

Search Find(const wchar_t* title)
{
    Search search{title, 0, nullptr};
    ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
    return search;
}

void PrintLine(const std::wstring& text)
{
    // UTF-8 on stdout, whatever the console code page.
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), n, nullptr, nullptr);
    std::fwrite(utf8.c_str(), 1, utf8.size() - 1, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

HWND Require(const wchar_t* title)
{
    HWND hWnd = Find(title).first;
    if (hWnd == nullptr)
        hWnd = ::FindWindowW(nullptr, title);
    return hWnd;
}

int Fail(const wchar_t* what)
{
    PrintLine(std::wstring(L"error: ") + what);
    return 1;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return Fail(L"usage: see the comment at the top of uidriver.cpp");
    const std::wstring command = argv[1];
    const wchar_t* title = argc > 2 ? argv[2] : L"";

    if (command == L"wait-window" && argc > 3)
    {
        const DWORD deadline = ::GetTickCount() + static_cast<DWORD>(_wtoi(argv[3]));
        for (;;)
        {
            Search search = Find(title);
            if (search.first != nullptr)
            {
                PrintLine(std::to_wstring(reinterpret_cast<ULONG_PTR>(search.first)));
                return 0;
            }
            if (static_cast<LONG>(::GetTickCount() - deadline) > 0)
                return Fail(L"timed out");
            ::Sleep(50);
        }
    }
    if (command == L"wait-gone" && argc > 3)
    {
        const DWORD deadline = ::GetTickCount() + static_cast<DWORD>(_wtoi(argv[3]));
        while (::FindWindowW(nullptr, title) != nullptr)
        {
            if (static_cast<LONG>(::GetTickCount() - deadline) > 0)
                return Fail(L"timed out");
            ::Sleep(50);
        }
        PrintLine(L"gone");
        return 0;
    }
    if (command == L"count-windows")
    {
        PrintLine(std::to_wstring(Find(title).count));
        return 0;
    }
    if (command == L"foreground")
    {
        PrintLine(CaptionOf(::GetForegroundWindow()));
        return 0;
    }

    HWND hWnd = Require(title);
    if (hWnd == nullptr)
        return Fail(L"no such window");
    if (command == L"get-text")
    {
        HWND hTarget = argc > 3 ? ::GetDlgItem(hWnd, _wtoi(argv[3])) : hWnd;
        if (hTarget == nullptr)
            return Fail(L"no such control");
        PrintLine(TextOf(hTarget));
        return 0;
    }
    if (command == L"click" && argc > 3)
    {
        HWND hButton = ::GetDlgItem(hWnd, _wtoi(argv[3]));
        if (hButton == nullptr)
            return Fail(L"no such control");
        ::PostMessageW(hButton, BM_CLICK, 0, 0);
        PrintLine(L"clicked");
        return 0;
    }
    if (command == L"close")
    {
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
        PrintLine(L"closed");
        return 0;
    }
    if (command == L"minimize")
    {
        ::ShowWindow(hWnd, SW_MINIMIZE);
        PrintLine(L"minimized");
        return 0;
    }
    if (command == L"is-iconic")
    {
        PrintLine(::IsIconic(hWnd) ? L"1" : L"0");
        return 0;
    }
    if (command == L"popup")
    {
        PrintLine(CaptionOf(::GetLastActivePopup(hWnd)));
        return 0;
    }
    return Fail(L"unknown command");
}
