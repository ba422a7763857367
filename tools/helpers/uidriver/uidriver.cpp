// Drives the launchpad from a second Win32 process in the same Wine prefix, the way a user's
// clicks and an observer's eyes would: it finds windows by title, reads texts, presses buttons,
// minimises and restores. Every command prints its answer on one line and exits 0 on success.
//
//   uidriver wait-window TITLE TIMEOUT_MS     hwnd of the visible top-level window, once it shows
//   uidriver wait-gone TITLE TIMEOUT_MS       succeeds once no window has that title
//   uidriver count-windows TITLE              number of visible top-level windows with that title
//   uidriver get-text TITLE [CONTROL_ID]      text of the window or of a control in it (panels too)
//   uidriver click TITLE CONTROL_ID           posts BM_CLICK to the control (or a visible descendant)
//   uidriver close TITLE                      posts WM_CLOSE
//   uidriver minimize TITLE | is-iconic TITLE
//   uidriver foreground                       title of the foreground window ((question box) for it)
//   uidriver focus TITLE                      identifier of the control that has the keyboard focus
//                                             in that window's thread (0: none or not a control)
//   uidriver count-questions                  number of question boxes on screen
//   uidriver bystander TITLE TIMEOUT_MS       shows a window of its own with that title until it is
//                                             closed or the time is up (another program on screen)
//   uidriver popup TITLE                      title of the window's last active pop-up
//   uidriver tooltip TITLE                    text of the visible tooltip of that window's process
//                                             (empty when none shows)
//   uidriver is-visible TITLE CONTROL_ID      1 when a visible descendant has that identifier
//   uidriver group-rect TITLE                 screen rectangle of the first visible group box in it
//   uidriver count-controls TITLE CONTROL_ID  number of visible descendants with that identifier
//   uidriver controls TITLE CONTROL_ID        each visible descendant with that identifier, one per
//                                             line in creation order: left top right bottom text
//   uidriver rect TITLE CONTROL_ID            screen rectangle of a descendant (a visible one first):
//                                             left top right bottom
//   uidriver wait-question TIMEOUT_MS         message of the launchpad's question box, once it shows
//   uidriver question-buttons                 which of OK and Cancel the question box shows
//   uidriver answer-question OK|CANCEL        presses the button of the question box
//   uidriver press-question OK|CANCEL         posts BM_CLICK to that button of the question box
//   uidriver choose-file PATH TIMEOUT_MS      types PATH into the open-file dialog, once it is drawn,
//                                             and confirms
//   uidriver wait-file-dialog TIMEOUT_MS      the open-file dialog's title, once it is on screen,
//                                             drawn and has the keyboard focus
//   uidriver combo-items TITLE CONTROL_ID     the entries of a combo box, one per line, and the selected one
//   uidriver start-exact FILE DIRECTORY       starts a process with the command line held in FILE
//                                             (UTF-8), character for character, in DIRECTORY;
//                                             prints its process id and does not wait for it
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

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

struct Descendant
{
    int nId;
    HWND hFound;
    bool bVisibleOnly;
};

BOOL CALLBACK FindDescendant(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<Descendant*>(lParam);
    if (::GetDlgCtrlID(hWnd) == pSearch->nId && (!pSearch->bVisibleOnly || ::IsWindowVisible(hWnd)))
    {
        pSearch->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND Descendant(HWND hParent, int nId, bool bVisibleOnly)
{
    struct Descendant search
    {
        nId, nullptr, bVisibleOnly
    };
    ::EnumChildWindows(hParent, &FindDescendant, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

// The question box: a visible top-level window with the message control 1060 and an OK button.
BOOL CALLBACK FindQuestion(HWND hWnd, LPARAM lParam)
{
    if (::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, 1060) != nullptr && ::GetDlgItem(hWnd, IDOK) != nullptr)
    {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND QuestionBox()
{
    HWND hBox = nullptr;
    ::EnumWindows(&FindQuestion, reinterpret_cast<LPARAM>(&hBox));
    return hBox;
}

// The open-file dialog: a visible top-level dialog with the file-name combo box 0x47C.
BOOL CALLBACK FindFileDialog(HWND hWnd, LPARAM lParam)
{
    if (::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, 0x47C) != nullptr)
    {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The visible tooltip window of a process.
struct Tip
{
    DWORD dwProcess;
    HWND hTip;
};

BOOL CALLBACK FindTooltip(HWND hCandidate, LPARAM lParam)
{
    auto* pTip = reinterpret_cast<Tip*>(lParam);
    wchar_t szClass[64] = L"";
    ::GetClassNameW(hCandidate, szClass, 64);
    DWORD dwProcess = 0;
    ::GetWindowThreadProcessId(hCandidate, &dwProcess);
    if (dwProcess == pTip->dwProcess && ::IsWindowVisible(hCandidate) &&
        std::wstring(szClass) == TOOLTIPS_CLASSW)
    {
        pTip->hTip = hCandidate;
        return FALSE;
    }
    return TRUE;
}

bool WaitFor(HWND (*pfnFind)(), DWORD dwTimeout, HWND& hFound)
{
    const DWORD deadline = ::GetTickCount() + dwTimeout;
    while ((hFound = pfnFind()) == nullptr)
    {
        if (static_cast<LONG>(::GetTickCount() - deadline) > 0)
            return false;
        ::Sleep(50);
    }
    return true;
}

BOOL CALLBACK CountQuestion(HWND hWnd, LPARAM lParam)
{
    if (::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, 1060) != nullptr && ::GetDlgItem(hWnd, IDOK) != nullptr)
        ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

BOOL CALLBACK FindGroupBox(HWND hChild, LPARAM lParam)
{
    wchar_t szClass[16] = L"";
    ::GetClassNameW(hChild, szClass, 16);
    if (::IsWindowVisible(hChild) && ::lstrcmpiW(szClass, L"Button") == 0 &&
        (::GetWindowLongW(hChild, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
    {
        *reinterpret_cast<HWND*>(lParam) = hChild;
        return FALSE;
    }
    return TRUE;
}

struct ControlCount
{
    int nId;
    int nCount;
};

BOOL CALLBACK CountControl(HWND hChild, LPARAM lParam)
{
    auto* pCount = reinterpret_cast<ControlCount*>(lParam);
    if (::GetDlgCtrlID(hChild) == pCount->nId && ::IsWindowVisible(hChild))
        ++pCount->nCount;
    return TRUE;
}

struct ControlList
{
    int nId;
    std::wstring strLines;
};

BOOL CALLBACK ListControl(HWND hChild, LPARAM lParam)
{
    auto* pList = reinterpret_cast<ControlList*>(lParam);
    RECT rc{};
    if (::GetDlgCtrlID(hChild) == pList->nId && ::IsWindowVisible(hChild) && ::GetWindowRect(hChild, &rc))
    {
        if (!pList->strLines.empty())
            pList->strLines += L"\n";
        pList->strLines += std::to_wstring(rc.left) + L" " + std::to_wstring(rc.top) + L" " +
                           std::to_wstring(rc.right) + L" " + std::to_wstring(rc.bottom) + L" " +
                           TextOf(hChild);
    }
    return TRUE;
}

LRESULT CALLBACK BystanderProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// Another program's window on the screen, for the tests of which window Windows activates.
int RunBystander(const wchar_t* title, DWORD dwTimeout)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = &BystanderProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"UidriverBystander";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 600, 400,
                                  300, nullptr, nullptr, wc.hInstance, nullptr);
    if (hWnd == nullptr)
        return 1;
    ::SetTimer(hWnd, 1, dwTimeout, nullptr);
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        if (msg.message == WM_TIMER && msg.hwnd == hWnd)
            ::DestroyWindow(hWnd);
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
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
    if (command == L"start-exact" && argc > 3)
    {
        // The command line comes from a file, so that no argument quoting stands in between.
        HANDLE hFile =
            ::CreateFileW(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return Fail(L"cannot read the command-line file");
        std::string utf8(static_cast<size_t>(::GetFileSize(hFile, nullptr)), '\0');
        DWORD cbRead = 0;
        const BOOL bRead = ::ReadFile(hFile, utf8.data(), static_cast<DWORD>(utf8.size()), &cbRead, nullptr);
        ::CloseHandle(hFile);
        if (!bRead || cbRead != utf8.size())
            return Fail(L"cannot read the command-line file");
        std::wstring line(utf8.size() + 1, L'\0');
        line.resize(
            static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                      line.data(), static_cast<int>(line.size()))));
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, argv[3], &si, &pi))
            return Fail((L"CreateProcess failed: " + std::to_wstring(::GetLastError())).c_str());
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        PrintLine(std::to_wstring(pi.dwProcessId));
        return 0;
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
    if (command == L"wait-question")
    {
        HWND hBox = nullptr;
        if (!WaitFor(&QuestionBox, static_cast<DWORD>(_wtoi(title)), hBox))
            return Fail(L"timed out");
        PrintLine(TextOf(::GetDlgItem(hBox, 1060)));
        return 0;
    }
    if (command == L"question-buttons")
    {
        HWND hBox = QuestionBox();
        if (hBox == nullptr)
            return Fail(L"no question box");
        std::wstring buttons;
        if (::IsWindowVisible(::GetDlgItem(hBox, IDOK)))
            buttons += L"OK";
        if (::IsWindowVisible(::GetDlgItem(hBox, IDCANCEL)))
            buttons += buttons.empty() ? L"CANCEL" : L" CANCEL";
        PrintLine(buttons);
        return 0;
    }
    if (command == L"answer-question")
    {
        HWND hBox = QuestionBox();
        if (hBox == nullptr)
            return Fail(L"no question box");
        ::PostMessageW(hBox, WM_COMMAND, std::wstring(title) == L"OK" ? IDOK : IDCANCEL, 0);
        PrintLine(L"answered");
        return 0;
    }
    if (command == L"press-question")
    {
        HWND hBox = QuestionBox();
        if (hBox == nullptr)
            return Fail(L"no question box");
        ::PostMessageW(::GetDlgItem(hBox, std::wstring(title) == L"OK" ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        PrintLine(L"pressed");
        return 0;
    }
    if (command == L"wait-file-dialog")
    {
        const DWORD deadline = ::GetTickCount() + static_cast<DWORD>(_wtoi(title));
        for (;;)
        {
            HWND hDialog = nullptr;
            ::EnumWindows(&FindFileDialog, reinterpret_cast<LPARAM>(&hDialog));
            if (hDialog != nullptr)
            {
                ::RedrawWindow(hDialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                GUITHREADINFO info{};
                info.cbSize = sizeof info;
                if (::GetGUIThreadInfo(::GetWindowThreadProcessId(hDialog, nullptr), &info) &&
                    info.hwndFocus != nullptr &&
                    (info.hwndFocus == hDialog || ::IsChild(hDialog, info.hwndFocus)) &&
                    ::GetForegroundWindow() == hDialog)
                {
                    PrintLine(CaptionOf(hDialog));
                    return 0;
                }
            }
            if (static_cast<LONG>(::GetTickCount() - deadline) > 0)
                return Fail(L"timed out");
            ::Sleep(50);
        }
    }
    if (command == L"choose-file" && argc > 3)
    {
        HWND hDialog = nullptr;
        if (!WaitFor(
                []
                {
                    HWND h = nullptr;
                    ::EnumWindows(&FindFileDialog, reinterpret_cast<LPARAM>(&h));
                    return h;
                },
                static_cast<DWORD>(_wtoi(argv[3])), hDialog))
            return Fail(L"no file dialog");
        // As a person would: once the dialog is drawn. Painting it now, and waiting for that,
        // runs everything the dialog does to show itself before the name is typed.
        ::RedrawWindow(hDialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HWND hCombo = ::GetDlgItem(hDialog, 0x47C);
        HWND hEdit = ::FindWindowExW(hCombo, nullptr, L"Edit", nullptr);
        ::SendMessageW(hEdit != nullptr ? hEdit : hCombo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title));
        ::PostMessageW(hDialog, WM_COMMAND, IDOK, 0);
        PrintLine(L"chosen");
        return 0;
    }
    if (command == L"count-questions")
    {
        int nCount = 0;
        ::EnumWindows(&CountQuestion, reinterpret_cast<LPARAM>(&nCount));
        PrintLine(std::to_wstring(nCount));
        return 0;
    }
    if (command == L"bystander" && argc > 3)
        return RunBystander(title, static_cast<DWORD>(_wtoi(argv[3])));
    if (command == L"foreground")
    {
        // The question box has no caption: it is named by what it is.
        HWND hFront = ::GetForegroundWindow();
        HWND hMatch = nullptr;
        const bool bQuestion =
            hFront != nullptr && FindQuestion(hFront, reinterpret_cast<LPARAM>(&hMatch)) == FALSE;
        PrintLine(bQuestion ? L"(question box)" : CaptionOf(hFront));
        return 0;
    }

    HWND hWnd = Require(title);
    if (hWnd == nullptr)
        return Fail(L"no such window");
    if (command == L"get-text")
    {
        HWND hTarget = argc > 3 ? Descendant(hWnd, _wtoi(argv[3]), false) : hWnd;
        if (hTarget == nullptr)
            return Fail(L"no such control");
        PrintLine(TextOf(hTarget));
        return 0;
    }
    if (command == L"click" && argc > 3)
    {
        // A button of the window itself first, else a visible one on its shown panel.
        HWND hButton = ::GetDlgItem(hWnd, _wtoi(argv[3]));
        if (hButton == nullptr)
            hButton = Descendant(hWnd, _wtoi(argv[3]), true);
        if (hButton == nullptr)
            return Fail(L"no such control");
        ::PostMessageW(hButton, BM_CLICK, 0, 0);
        PrintLine(L"clicked");
        return 0;
    }
    if (command == L"focus")
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, nullptr), &info))
            return Fail(L"no thread information");
        const bool bControl =
            info.hwndFocus != nullptr && (::GetWindowLongW(info.hwndFocus, GWL_STYLE) & WS_CHILD);
        PrintLine(std::to_wstring(bControl ? ::GetDlgCtrlID(info.hwndFocus) : 0));
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
    if ((command == L"is-visible" || command == L"rect") && argc > 3)
    {
        // A visible control first: hidden panels hold controls with the same identifiers.
        HWND hCtrl = Descendant(hWnd, _wtoi(argv[3]), true);
        if (hCtrl == nullptr && command == L"rect")
            hCtrl = Descendant(hWnd, _wtoi(argv[3]), false);
        if (command == L"is-visible")
        {
            PrintLine(hCtrl != nullptr ? L"1" : L"0");
            return 0;
        }
        RECT rc{};
        if (hCtrl == nullptr || !::GetWindowRect(hCtrl, &rc))
            return Fail(L"no such control");
        PrintLine(std::to_wstring(rc.left) + L" " + std::to_wstring(rc.top) + L" " +
                  std::to_wstring(rc.right) + L" " + std::to_wstring(rc.bottom));
        return 0;
    }
    if (command == L"group-rect")
    {
        HWND hGroup = nullptr;
        ::EnumChildWindows(hWnd, &FindGroupBox, reinterpret_cast<LPARAM>(&hGroup));
        RECT rc{};
        if (hGroup == nullptr || !::GetWindowRect(hGroup, &rc))
            return Fail(L"no group box");
        PrintLine(std::to_wstring(rc.left) + L" " + std::to_wstring(rc.top) + L" " +
                  std::to_wstring(rc.right) + L" " + std::to_wstring(rc.bottom));
        return 0;
    }
    if (command == L"count-controls" && argc > 3)
    {
        ControlCount count{_wtoi(argv[3]), 0};
        ::EnumChildWindows(hWnd, &CountControl, reinterpret_cast<LPARAM>(&count));
        PrintLine(std::to_wstring(count.nCount));
        return 0;
    }
    if (command == L"controls" && argc > 3)
    {
        ControlList list{_wtoi(argv[3]), L""};
        ::EnumChildWindows(hWnd, &ListControl, reinterpret_cast<LPARAM>(&list));
        PrintLine(list.strLines);
        return 0;
    }
    if (command == L"combo-items" && argc > 3)
    {
        HWND hCombo = Descendant(hWnd, _wtoi(argv[3]), false);
        if (hCombo == nullptr)
            return Fail(L"no such control");
        const int nCount = static_cast<int>(::SendMessageW(hCombo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < nCount; ++i)
        {
            wchar_t szItem[512] = L"";
            if (::SendMessageW(hCombo, CB_GETLBTEXTLEN, i, 0) < 512)
                ::SendMessageW(hCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(szItem));
            PrintLine(szItem);
        }
        PrintLine(L"selected=" + std::to_wstring(::SendMessageW(hCombo, CB_GETCURSEL, 0, 0)));
        return 0;
    }
    if (command == L"tooltip")
    {
        Tip tip{0, nullptr};
        ::GetWindowThreadProcessId(hWnd, &tip.dwProcess);
        ::EnumWindows(&FindTooltip, reinterpret_cast<LPARAM>(&tip));
        PrintLine(tip.hTip != nullptr ? TextOf(tip.hTip) : L"");
        return 0;
    }
    if (command == L"popup")
    {
        PrintLine(CaptionOf(::GetLastActivePopup(hWnd)));
        return 0;
    }
    return Fail(L"unknown command");
}
