#include "hovra_stdafx.h"

#include "InstallerCommandLine.h"

namespace
{
constexpr UINT kPackageNameId = IDS_INSTALLER_PRODUCT;
constexpr UINT kLogPrefixId = IDS_LOG_PREFIX;
constexpr UINT kLogExtensionId = IDS_LOG_EXTENSION;
constexpr UINT kTempVariableId = IDS_TEMP_VARIABLE;

// The variable's whole text; empty when it is not set.
std::wstring EnvironmentText(const wchar_t* pszName)
{
    std::wstring text(32767, L'\0'); // the longest a variable can be
    const DWORD n = ::GetEnvironmentVariableW(pszName, text.data(), static_cast<DWORD>(text.size()));
    text.resize(n < text.size() ? n : 0);
    return text;
}

std::wstring SystemWindowsDirectory()
{
    wchar_t szDirectory[MAX_PATH + 1] = L"";
    const UINT n = ::GetSystemWindowsDirectoryW(szDirectory, MAX_PATH + 1);
    return n <= MAX_PATH ? std::wstring(szDirectory, n) : std::wstring();
}
} // namespace

std::wstring InstallerPackagePath(const std::wstring& strMediaRoot)
{
    return InstallerPackagePath(strMediaRoot, AfxLoadText(kPackageNameId));
}

InstallerCommand BuildInstallerCommand(const InstallerLaunchInputs& inputs)
{
    return BuildInstallerCommand(inputs,
                                 InstallerLogTexts{AfxLoadText(kLogPrefixId), AfxLoadText(kLogExtensionId)});
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
    return ChooseLogDirectory(EnvironmentText(AfxLoadText(kTempVariableId).c_str()), EnvironmentText(L"TMP"),
                              SystemWindowsDirectory());
}
