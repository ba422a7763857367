// A stand-in for the product's setup program on a sample media: it writes the exact command line
// it was started with, as UTF-8, to the file named by HOVRA_SETUP_RECORD (default:
// setup-commandline.txt beside itself), and exits.
//
// HOVRA_SETUP_LINGER_MS, when set to a number of milliseconds (at most a minute), keeps it running
// that long after the record is written, like a setup the user is still working in: tests close
// the launchpad while a program it waits for is still running.
#include <windows.h>

#include <cwchar>
#include <string>

namespace
{
// How long to stay after writing the record: HOVRA_SETUP_LINGER_MS, 0 when unset or not a number.
DWORD LingerMilliseconds()
{
    wchar_t sz[16] = L"";
    const DWORD n = ::GetEnvironmentVariableW(L"HOVRA_SETUP_LINGER_MS", sz, 16);
    if (n == 0 || n >= 16)
        return 0;
    wchar_t* pEnd = nullptr;
    const unsigned long ms = std::wcstoul(sz, &pEnd, 10);
    if (pEnd == sz || *pEnd != L'\0')
        return 0;
    return ms < 60000 ? static_cast<DWORD>(ms) : 60000;
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    std::wstring path(32768, L'\0');
    DWORD n = ::GetEnvironmentVariableW(L"HOVRA_SETUP_RECORD", path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size())
    {
        n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        path.resize(n);
        path.resize(path.find_last_of(L'\\') + 1);
        path += L"setup-commandline.txt";
    }
    else
    {
        path.resize(n);
    }

    const wchar_t* pszCommandLine = ::GetCommandLineW();
    const int cb = ::WideCharToMultiByte(CP_UTF8, 0, pszCommandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(cb), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, pszCommandLine, -1, utf8.data(), cb, nullptr, nullptr);
    utf8.pop_back(); // the terminator

    HANDLE hFile =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(hFile, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    ::CloseHandle(hFile);
    if (const DWORD ms = LingerMilliseconds())
        ::Sleep(ms);
    return ok && written == utf8.size() ? 0 : 1;
}
