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
    if (argc < 0)
    {
        ::GetSysColor(COLOR_WINDOW);
        ::GetStockObject(WHITE_BRUSH);
        ::RegCloseKey(nullptr);
    }
    if (argc > 1)
        return ::LoadLibraryW(argv[1]) != nullptr ? 0 : 2;
    return 0;
}
