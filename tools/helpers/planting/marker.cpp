// A DLL planted beside a program under test, under the name of a library attackers like to
// plant. Loading it leaves a file "<its name>.loaded" in the folder named by HOVRA_MARKER_DIR,
// holding the path of the program that loaded it (UTF-16), then refuses to load: being loaded
// at all is the fault the test looks for.
#include <windows.h>

#include <string>

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason != DLL_PROCESS_ATTACH)
        return TRUE;
    wchar_t szSelf[MAX_PATH] = L"";
    const DWORD n = ::GetModuleFileNameW(hInstance, szSelf, MAX_PATH);
    std::wstring name(szSelf, n);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    wchar_t szFolder[MAX_PATH] = L"";
    const DWORD cch = ::GetEnvironmentVariableW(L"HOVRA_MARKER_DIR", szFolder, MAX_PATH);
    if (cch > 0 && cch < MAX_PATH)
    {
        const std::wstring marker = std::wstring(szFolder, cch) + L"\\" + name + L".loaded";
        HANDLE hFile = ::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (hFile != INVALID_HANDLE_VALUE)
        {
            // Which program loaded it, for the test's report.
            wchar_t szProgram[MAX_PATH] = L"";
            const DWORD cchProgram = ::GetModuleFileNameW(nullptr, szProgram, MAX_PATH);
            DWORD cbWritten = 0;
            ::WriteFile(hFile, szProgram, cchProgram * sizeof(wchar_t), &cbWritten, nullptr);
            ::CloseHandle(hFile);
        }
    }
    return FALSE;
}
