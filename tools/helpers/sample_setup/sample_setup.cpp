// A stand-in for the product's setup program on a sample media: it writes the exact command line
// it was started with, as UTF-8, to the file named by HOVRA_SETUP_RECORD (default:
// setup-commandline.txt beside itself), and the arguments its C runtime reads from that line to the
// same name with ".argv" added (UTF-8, each argument ended by a NUL character), and exits.
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

std::string Utf8(const wchar_t* psz)
{
    const int cb = ::WideCharToMultiByte(CP_UTF8, 0, psz, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(cb), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, psz, -1, utf8.data(), cb, nullptr, nullptr);
    utf8.pop_back(); // the terminator
    return utf8;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE hFile =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(hFile);
    return ok && written == bytes.size();
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

    // The arguments first: the command line's record is what the tests wait for.
    std::string args;
    for (int i = 0; i < __argc; ++i)
        args += Utf8(__wargv[i]) + '\0';
    const bool ok = WriteWholeFile(path + L".argv", args) && WriteWholeFile(path, Utf8(::GetCommandLineW()));
    if (const DWORD ms = LingerMilliseconds())
        ::Sleep(ms);
    return ok ? 0 : 1;
}
