#include "SystemLibrary.h"

#include <string>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif
#ifndef BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE
#define BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE 0x00000001
#define BASE_SEARCH_PATH_PERMANENT              0x00008000
#endif

namespace
{
// A kernel32 function that older systems lack, or null.
template <class TFunction> TFunction KernelProc(const char* pszFunction)
{
    HMODULE hKernel = ::GetModuleHandleW(L"kernel32.dll");
    return hKernel != nullptr
               ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(::GetProcAddress(hKernel, pszFunction)))
               : nullptr;
}

std::wstring SystemFolder()
{
    std::wstring folder(MAX_PATH, L'\0');
    UINT n = ::GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (n >= folder.size())
    {
        folder.resize(n);
        n = ::GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    }
    folder.resize(n < folder.size() ? n : 0);
    return folder;
}
} // namespace

void AfxRestrictDllSearch()
{
    // Windows 8 and later, and Windows 7 and Vista with the update that added it.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    if (auto pfn = KernelProc<SetDefaultDllDirectoriesFn>("SetDefaultDllDirectories"))
        pfn(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // An empty string removes the current folder from the search.
    using SetDllDirectoryFn = BOOL(WINAPI*)(LPCWSTR);
    if (auto pfn = KernelProc<SetDllDirectoryFn>("SetDllDirectoryW"))
        pfn(L"");
    using SetSearchPathModeFn = BOOL(WINAPI*)(DWORD);
    if (auto pfn = KernelProc<SetSearchPathModeFn>("SetSearchPathMode"))
        pfn(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
}

namespace
{
HMODULE LoadFromSystemFolder(const std::wstring& folder, const wchar_t* pszName)
{
    // A full path is never searched for; the altered search path makes the library's own
    // dependencies come from its folder too.
    const std::wstring path = folder + L"\\" + pszName;
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Libraries that the system's own libraries (the shell, the file dialog, the common controls and
// the theme engine) load on demand, by bare name, at the moment they first need them. Windows
// looks for those through the restricted search; some loaders (Wine's among them) look in the
// program's folder first. Loaded from the system folder before any of those libraries runs,
// they are already there when asked for, and nothing is searched for.
const wchar_t* const kOnDemandDependencies[] = {L"comctl32.dll", L"uxtheme.dll", L"msimg32.dll",
                                                L"winmm.dll",    L"version.dll", L"secur32.dll"};
} // namespace

HMODULE AfxLoadSystemLibrary(const wchar_t* pszName)
{
    const std::wstring folder = SystemFolder();
    if (folder.empty() || pszName == nullptr || *pszName == L'\0')
        return nullptr;
    static const bool bDependenciesLoaded = [&folder]
    {
        for (const wchar_t* pszDependency : kOnDemandDependencies)
            LoadFromSystemFolder(folder, pszDependency); // kept for the life of the process
        return true;
    }();
    (void)bDependenciesLoaded;
    return LoadFromSystemFolder(folder, pszName);
}

BOOL AfxShellExecuteEx(SHELLEXECUTEINFOW* pInfo)
{
    using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    static const auto pfn = AfxGetSystemProc<ShellExecuteExFn>(L"shell32.dll", "ShellExecuteExW");
    if (pfn == nullptr)
    {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return pfn(pInfo);
}

BOOL AfxGetOpenFileName(OPENFILENAMEW* pOfn)
{
    using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);
    static const auto pfn = AfxGetSystemProc<GetOpenFileNameFn>(L"comdlg32.dll", "GetOpenFileNameW");
    if (pfn == nullptr)
    {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return pfn(pOfn);
}
