// A stand-in for the product's setup program on a sample media: it writes the exact command line
// it was started with, as UTF-8, to the file named by HOVRA_SETUP_RECORD (default:
// setup-commandline.txt beside itself), and exits.
#include <windows.h>

#include <string>

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
    return ok && written == utf8.size() ? 0 : 1;
}
