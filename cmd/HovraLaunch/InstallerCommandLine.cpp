#include "hovra_stdafx.h"

#include "InstallerCommandLine.h"

#include <cwchar>

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

const wchar_t* NetworkAnswerValue(INT32 nAnswer)
{
    switch (nAnswer)
    {
    case 1101:
        return L"2 ";
    case 1102:
        return L"1 ";
    default:
        return L"0 ";
    }
}

// Every double quote becomes backslash and quote, so the list stays one quoted argument of /v.
std::wstring EscapeQuotes(const std::wstring& text)
{
    std::wstring escaped;
    escaped.reserve(text.size() + 16);
    for (wchar_t ch : text)
    {
        if (ch == L'"')
            escaped += L'\\';
        escaped += ch;
    }
    return escaped;
}
} // namespace

std::wstring InstallerPackagePath(const std::wstring& strMediaRoot)
{
    return strMediaRoot + L"\\" + L"MSI" + L"\\" + Text(kPackageNameId);
}

InstallerCommand BuildInstallerCommand(const InstallerLaunchInputs& inputs)
{
    const std::wstring strPrefix = Text(kLogPrefixId), strExtension = Text(kLogExtensionId);
    const std::wstring strInstallerLog =
        L"\"" + inputs.strTempDirectory + L"\\" + strPrefix + inputs.strTimestamp + strExtension + L"\"";
    const std::wstring strSetupLog = L"\"" + inputs.strTempDirectory + L"\\" + strPrefix + L"IS" +
                                     inputs.strTimestamp + strExtension + L"\"";

    std::wstring strSwitches = L"/i /debuglog" + strSetupLog + L" ";
    if (inputs.nLanguageId >= 0)
        strSwitches += L"/L" + std::to_wstring(inputs.nLanguageId) + L" ";
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
    for (size_t i = 0; i < 6; ++i)
    {
        wchar_t szField[128] = L"";
        std::wcsftime(szField, 128, kFormats[i], &localTime);
        timestamp += kSeparators[i];
        timestamp += szField;
    }
    return timestamp;
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
    if (n > 0 && n < 256)
        return std::wstring(szTemp, n);

    // No TEMP, or one too long for the buffer: never a log path without a directory.
    wchar_t szSystem[MAX_PATH + 1] = L"";
    DWORD cch = ::GetTempPathW(MAX_PATH + 1, szSystem);
    if (cch == 0 || cch > MAX_PATH)
        return L".";
    if (cch > 1 && szSystem[cch - 1] == L'\\')
        --cch;
    return std::wstring(szSystem, cch);
}
