// Windows' own libraries, loaded only from the system folder. The program lies on media anyone
// may have written to, and runs elevated: a DLL placed beside it must never be loaded, neither by
// the program nor by anything the system loads on its behalf.
#pragma once

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

// Confines every later DLL search of the process to the system folder where the system allows
// it, takes the current folder out of the search and switches on the safe search mode. The entry
// point calls it before anything else.
void AfxRestrictDllSearch();

// The system library pszName (a file name such as L"shell32.dll"), loaded by its full path in the
// system folder, its own dependencies looked for there first; null when it cannot be loaded.
// The library stays loaded for the life of the process. The first call also loads, from the
// system folder, the libraries that system libraries load on demand by bare name.
HMODULE AfxLoadSystemLibrary(const wchar_t* pszName);

// A function exported by a system library, or null.
template <class TFunction> TFunction AfxGetSystemProc(const wchar_t* pszLibrary, const char* pszFunction)
{
    HMODULE hModule = AfxLoadSystemLibrary(pszLibrary);
    return hModule != nullptr
               ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(::GetProcAddress(hModule, pszFunction)))
               : nullptr;
}

// ShellExecuteExW and GetOpenFileNameW, through the system libraries. When the library or the
// function cannot be had they fail as the functions do, with ERROR_PROC_NOT_FOUND as last error.
BOOL AfxShellExecuteEx(SHELLEXECUTEINFOW* pInfo);
BOOL AfxGetOpenFileName(OPENFILENAMEW* pOfn);
