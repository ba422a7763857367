// The process entry point of a program built on this framework.
#include "WinApp.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nCmdShow)
{
    return AfxWinMain(hInstance, nCmdShow);
}
