// The launchpad's import table and nothing else: shows which libraries Wine itself loads while
// resolving those imports, before a program's first line runs.
//
//   imports_only.exe              loads nothing on its own and ends
//   imports_only.exe NAME.dll     then loads NAME.dll by its bare name, the way a careless
//                                 program would, so a planted copy beside it is found
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    // One function from each library the launchpad imports, so that each stays in the table.
    volatile auto keep = reinterpret_cast<void*>(&::GetSysColor);
    keep = reinterpret_cast<void*>(&::GetStockObject);
    keep = reinterpret_cast<void*>(&::RegCloseKey);
    (void)keep;
    if (argc > 1)
        return ::LoadLibraryW(argv[1]) != nullptr ? 0 : 2;
    return 0;
}
