// The process entry point of a program built on this framework.
#include "SystemLibrary.h"
#include "WinApp.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nCmdShow)
{
    AfxRestrictDllSearch(); // before anything can load a DLL on the program's behalf
    return AfxWinMain(hInstance, nCmdShow);
}
