// The process entry point of a program built on this framework.
#include "SystemLibrary.h"
#include "WinApp.h"

#include <cstdlib>
#include <cxxabi.h>

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nCmdShow)
{
    AfxRestrictDllSearch(); // before anything can load a DLL on the program's behalf
    return AfxWinMain(hInstance, nCmdShow);
}

// An exception that nobody catches ends the program at once. The run-time library's own handler
// would first write the exception's type to the standard error stream, which a windowed program
// does not have, and brings a whole symbol demangler into the program to do so. (The name is the
// library's own, replaced on purpose.)
namespace __gnu_cxx
{
void __verbose_terminate_handler() // NOLINT(bugprone-reserved-identifier)
{
    std::abort();
}
} // namespace __gnu_cxx
