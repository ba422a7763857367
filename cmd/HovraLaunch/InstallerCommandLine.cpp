#include "hovra_stdafx.h"

#include "InstallerCommandLine.h"

#include <cwctype>

namespace
{
constexpr UINT kPackageNameId = 240;
constexpr UINT kLogPrefixId = 401;
constexpr UINT kLogExtensionId = 402;
constexpr UINT kTempVariableId = 403;

std::wstring Text(UINT nId)
{
    std::wstring text;
    AfxLoadString(nId, text);
    return text;
}
} // namespace

std::wstring InstallerPackagePath(const std::wstring& strMediaRoot)
{
    return InstallerPackagePath(strMediaRoot, Text(kPackageNameId));
}

InstallerCommand BuildInstallerCommand(const InstallerLaunchInputs& inputs)
{
    return BuildInstallerCommand(inputs, InstallerLogTexts{Text(kLogPrefixId), Text(kLogExtensionId)});
}

std::wstring MakeLogTimestamp()
{
    const __time64_t now = _time64(nullptr);
    std::tm localTime{};
    _localtime64_s(&localTime, &now);
    return MakeLogTimestamp(localTime);
}

std::wstring InstallerLogDirectory()
{
    wchar_t szTemp[256] = L"";
    const DWORD n = ::GetEnvironmentVariableW(Text(kTempVariableId).c_str(), szTemp, 256);
    // A relative TEMP would put the logs beside the setup program, on the media, wherever its
    // current directory is: only a full path (a drive's or a share's) is used.
    const bool bFullPath = n >= 3 && ((std::iswalpha(szTemp[0]) && szTemp[1] == L':' && szTemp[2] == L'\\') ||
                                      (szTemp[0] == L'\\' && szTemp[1] == L'\\'));
    if (n < 256 && bFullPath)
        return std::wstring(szTemp, n);

    // No TEMP, an empty, relative or too long one: never a log path without a directory.
    wchar_t szSystem[MAX_PATH + 1] = L"";
    DWORD cch = ::GetTempPathW(MAX_PATH + 1, szSystem);
    if (cch == 0 || cch > MAX_PATH)
        return L".";
    if (cch > 1 && szSystem[cch - 1] == L'\\')
        --cch;
    return std::wstring(szSystem, cch);
}
