#include "FilePath.h"

#include <windows.h>

namespace
{
std::wstring CollapseBackslashes(const std::wstring& path, size_t nFrom)
{
    std::wstring out = path.substr(0, nFrom);
    for (size_t i = nFrom; i < path.size(); ++i)
        if (path[i] != L'\\' || out.empty() || out.back() != L'\\')
            out += path[i];
    return out;
}

bool IsDriveLetter(wchar_t ch)
{
    return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z');
}
} // namespace

std::wstring AfxExtendedPath(const std::wstring& path)
{
    if (path.size() < MAX_PATH || path.compare(0, 4, L"\\\\?\\") == 0 || path.compare(0, 4, L"\\\\.\\") == 0)
        return path;
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\')
        return L"\\\\?\\" + CollapseBackslashes(path, 0);
    if (path.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + CollapseBackslashes(path.substr(2), 0);
    return path;
}
