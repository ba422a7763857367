// The floor of the start-up benchmark (tools/bench/run.py): a program that shows one bare dialog of
// the launchpad's size and font, from a dialog template, and nothing else. It takes the window
// title as its command line, so the timer finds it the way it finds the launchpad.
#include <windows.h>

namespace
{
const wchar_t* g_pszTitle = L"";

INT_PTR CALLBACK FloorProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    switch (message)
    {
    case WM_INITDIALOG:
    {
        ::SetWindowTextW(hDlg, g_pszTitle);
        // Centred in the work area, where the launchpad stands too.
        RECT rcArea{}, rc{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcArea, 0);
        ::GetWindowRect(hDlg, &rc);
        ::SetWindowPos(hDlg, nullptr, rcArea.left + ((rcArea.right - rcArea.left) - (rc.right - rc.left)) / 2,
                       rcArea.top + ((rcArea.bottom - rcArea.top) - (rc.bottom - rc.top)) / 2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)
            ::EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        ::EndDialog(hDlg, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}
} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR pszCommandLine, int)
{
    g_pszTitle = pszCommandLine;
    return static_cast<int>(::DialogBoxParamW(hInstance, MAKEINTRESOURCEW(1), nullptr, &FloorProc, 0));
}
