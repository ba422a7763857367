#include "InstallerCommandText.h"

#include "DecimalText.h"
#include "StatusRules.h"

#include <cstddef>
#include <cwchar>

namespace
{
const wchar_t* NetworkAnswerValue(std::int32_t nAnswer)
{
    switch (nAnswer)
    {
    case kNetworkAnswerYes:
        return L"2 ";
    case kNetworkAnswerNo:
        return L"1 ";
    default:
        return L"0 ";
    }
}

// Every double quote becomes backslash and quote, so the list stays one quoted argument of /v.
// Windows' command-line rules halve a run of backslashes that stands before a quote, so such a run
// is doubled first: C:\Dir\" arrives as C:\Dir\ and a quote, not as C:\Dir and the end of the
// argument. Every other backslash is read as it is and stays as it is.
std::wstring EscapeQuotes(const std::wstring& text)
{
    std::wstring escaped;
    escaped.reserve(text.size() + 16);
    std::size_t nBackslashes = 0;
    for (wchar_t ch : text)
    {
        if (ch == L'"')
            escaped.append(nBackslashes + 1, L'\\');
        nBackslashes = ch == L'\\' ? nBackslashes + 1 : 0;
        escaped += ch;
    }
    return escaped;
}

bool IsFullPath(const std::wstring& path)
{
    const bool bDrive = path.size() >= 3 &&
                        ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
                        path[1] == L':' && path[2] == L'\\';
    const bool bShare = path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
    return bDrive || bShare;
}

bool IsUsableDirectory(const std::wstring& path)
{
    return path.size() < 256 && IsFullPath(path);
}
} // namespace

std::wstring InstallerPackagePath(const std::wstring& strMediaRoot, const std::wstring& strPackageName)
{
    return strMediaRoot + L"\\" + L"MSI" + L"\\" + strPackageName;
}

InstallerCommand BuildInstallerCommand(const InstallerLaunchInputs& inputs, const InstallerLogTexts& texts)
{
    const std::wstring& strPrefix = texts.strPrefix;
    const std::wstring& strExtension = texts.strExtension;
    const std::wstring strInstallerLog =
        L"\"" + inputs.strTempDirectory + L"\\" + strPrefix + inputs.strTimestamp + strExtension + L"\"";
    const std::wstring strSetupLog = L"\"" + inputs.strTempDirectory + L"\\" + strPrefix + L"IS" +
                                     inputs.strTimestamp + strExtension + L"\"";

    std::wstring strSwitches = L"/i /debuglog" + strSetupLog + L" ";
    if (inputs.nLanguageId >= 0)
        strSwitches += L"/L" + DecimalText(inputs.nLanguageId) + L" ";
    strSwitches += L"/v\"";

    std::wstring strProperties;
    if (!inputs.strCommandTail.empty() && inputs.strCommandTail != L"INSTALL")
        strProperties += inputs.strCommandTail + L" ";
    strProperties += L"/lmicrowaveup " + strInstallerLog + L" ";
    strProperties += L"ZUTCHECKPRODUCTPREREQS=\"\" ";
    strProperties += std::wstring(L"ZUTNCSEC=") + NetworkAnswerValue(inputs.nNetworkAnswer);
    strProperties += L"ZUTSHOWWELCOME=0 ";

    return InstallerCommand{inputs.strMediaRoot + L"\\MSI\\setup.exe",
                            strSwitches + EscapeQuotes(strProperties) + L"\""};
}

std::wstring MakeLogTimestamp(const std::tm& localTime)
{
    const wchar_t* const kFormats[] = {L"%Y", L"%m", L"%d", L"%H", L"%M", L"%S"};
    const wchar_t* const kSeparators[] = {L"", L"-", L"-", L"T", L"-", L"-"};
    std::wstring timestamp;
    for (std::size_t i = 0; i < 6; ++i)
    {
        wchar_t szField[128] = L"";
        std::wcsftime(szField, 128, kFormats[i], &localTime);
        timestamp += kSeparators[i];
        timestamp += szField;
    }
    return timestamp;
}

std::wstring ChooseLogDirectory(const std::wstring& strTemp, const std::wstring& strTmp,
                                const std::wstring& strWindowsDirectory)
{
    if (IsUsableDirectory(strTemp))
        return strTemp;
    if (IsUsableDirectory(strTmp))
        return strTmp;
    // The Windows directory is a full path on every system; should it ever not be read, its
    // usual place still keeps the logs off the media.
    std::wstring directory = IsFullPath(strWindowsDirectory) ? strWindowsDirectory : L"C:\\Windows";
    if (directory.back() == L'\\')
        directory.pop_back();
    return directory + L"\\Temp";
}
